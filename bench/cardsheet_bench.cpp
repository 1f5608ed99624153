// Time to draw six cards with pictures from a large recipe file: every page
// turn, random draw and resize of the card viewer pays this.
#include "recipe/recipefileformat.h"
#include "recipe/recordcodec.h"
#include "viewer/cardsheet.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextStream>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    constexpr int rows = 5000;
    QTemporaryDir dir;
    QImage picture(640, 480, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    picture.save(dir.filePath(u"p.bmp"_s), "BMP");
    QStringList lines = {RecipeFileFormat::RecipeFileHeader};
    for (int i = 0; i < rows; ++i) {
        RecipeRecord r;
        r.setField(RecipeRecord::DishName, u"dish %1"_s.arg(i));
        r.setField(RecipeRecord::Ingredients, u"a\\nb\\nc\\nd\\ne\\nf\\ng"_s);
        r.setField(RecipeRecord::Method, QString(400, u'x'));
        r.setField(RecipeRecord::Picture, i % 2 ? u"p.bmp"_s : QString());
        lines.append(RecordCodec::writeRecordLine(r));
    }
    const QString file = dir.filePath(u"r.csv"_s);
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly))
        return 1;
    f.write(lines.join(u"\r\n"_s).toLatin1());
    f.close();

    QImage surface(1000, 700, QImage::Format_RGB32);
    const QList<int> records = {2, 1000, 2001, 3000, 4000, rows + 1};
    constexpr int rounds = 20;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < rounds; ++i) {
        surface.fill(Qt::white);
        QPainter painter(&surface);
        CardSheet::draw(painter, surface.size(), 96, file, records, &CardSheet::loadPicture);
    }
    QTextStream(stdout) << "six cards from " << rows
                        << " rows: " << timer.elapsed() / double(rounds) << " ms per draw"
                        << Qt::endl;
    return 0;
}
