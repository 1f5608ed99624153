#include "print/engine/pagepicture.h"

#include "platform/programfolder.h"
#include "print/engine/drawsurface.h"
#include "print/engine/pagelayout.h"

#include <QDir>
#include <QImage>
#include <QImageReader>

using namespace Qt::StringLiterals;

namespace PagePicture {

namespace {
constexpr double twipsPerMm = 56.7;
}

QStringList listPictures(const QString &folder)
{
    QStringList patterns{u"*.bmp"_s};
    for (const QByteArray &format : QImageReader::supportedImageFormats()) {
        const QString pattern = u"*."_s + QString::fromLatin1(format).toLower();
        if (!patterns.contains(pattern))
            patterns.append(pattern);
    }
    QDir dir(folder);
    dir.setNameFilters(patterns);
    dir.setFilter(QDir::Files | QDir::Readable);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    return dir.entryList();
}

void drawPageBackground(DrawSurface &s, const PageLayout &layout, double left, double right)
{
    drawPageBackground(s, layout, left, right, ProgramFolder::path() + u"pic/"_s);
}

void drawPageBackground(DrawSurface &s, const PageLayout &layout, double left, double right,
                        const QString &folder)
{
    --s.pictureTurn;
    if (s.pictureTurn < 1)
        s.pictureTurn = int16_t(std::min<qsizetype>(listPictures(folder).size(), INT16_MAX));
    const QStringList files = listPictures(folder);
    if (s.pictureTurn < 1 || s.pictureTurn > files.size())
        return;

    const QImage picture(folder + files.at(s.pictureTurn - 1));
    if (picture.isNull())
        return;
    const double wp = picture.width();
    const double hp = picture.height();

    double width = right - left;
    double x = left;
    if (!(hp < wp)) {
        width = (right - left) / 4;
        x = right - width;
    }
    const double height = width * hp / wp;
    const double top = layout.FOOT_HEIGHT - height;

    const double toPixelsX = twipsPerMm / s.getTwipsPerPixelX();
    const double toPixelsY = twipsPerMm / s.getTwipsPerPixelY();
    s.blitPicture(picture, x * toPixelsX, top * toPixelsY, width * toPixelsX, height * toPixelsY, 0,
                  0, picture.width(), picture.height());
}

} // namespace PagePicture
