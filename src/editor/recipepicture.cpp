#include "editor/recipepicture.h"

#include "platform/programfolder.h"
#include "recipe/texthelpers.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QMimeData>
#include <QSet>

using namespace Qt::StringLiterals;

namespace RecipePicture {

namespace {

bool hasFolderSeparator(const QString &name)
{
    return name.contains(u'\\') || name.contains(u'/');
}

QString inRecipeFolder(const QString &recipeFilePath, const QString &name)
{
    return matchFileCase(QDir::cleanPath(
        ProgramFolder::toQtSeparators(TextHelpers::folderPart(recipeFilePath) + name)));
}

int leadingNumber(const QString &text)
{
    int value = 0;
    for (QChar c : text.trimmed()) {
        if (!c.isDigit() || c.unicode() > 127)
            break;
        value = value * 10 + (c.unicode() - u'0');
        if (value > 99999)
            break;
    }
    return value;
}

} // namespace

QString matchFileCase(const QString &path)
{
    if (path.isEmpty() || QFileInfo::exists(path))
        return path;
    const QFileInfo info(path);
    QDir dir = info.dir();
    if (!dir.exists()) {
        // The folder may differ in case too.
        const QString matchedDir = matchFileCase(QDir::cleanPath(info.path()));
        if (matchedDir == info.path() || !QFileInfo(matchedDir).isDir())
            return path;
        dir.setPath(matchedDir);
    }
    const QString wanted = info.fileName();
    const QStringList entries = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System);
    for (const QString &entry : entries) {
        if (entry.compare(wanted, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    }
    return path;
}

QString findImageFile(const QString &recipeFilePath, const QString &name)
{
    const QString n = name.trimmed();
    if (n.isEmpty())
        return {};
    if (n.contains(u':') || n.startsWith(u'/'))
        return matchFileCase(QDir::cleanPath(ProgramFolder::toQtSeparators(n)));
    if (n.startsWith(u"..\\"_s) || n.startsWith(u"\\"_s))
        return inRecipeFolder(recipeFilePath, n.mid(1));
    if (n.startsWith(u".\\"_s))
        return inRecipeFolder(recipeFilePath, n.mid(2));
    return inRecipeFolder(recipeFilePath, n);
}

QString pictureNamePath(const QString &recipeFilePath, const QString &name)
{
    const QString n = name.trimmed();
    if (n.isEmpty())
        return {};
    if (!hasFolderSeparator(n))
        return inRecipeFolder(recipeFilePath, n);
    return matchFileCase(QDir::cleanPath(ProgramFolder::toQtSeparators(n)));
}

QImage readPicture(QImageReader &reader, QSize bound)
{
    // The extension may lie (a JPEG saved as ".bmp"); let the content decide.
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    if (bound.isValid() && stored.isValid()) {
        // The scaled size applies before the picture is turned upright.
        if (reader.transformation() & QImageIOHandler::TransformationRotate90)
            bound.transpose();
        if (stored.width() > bound.width() || stored.height() > bound.height()) {
            const QSize fitted = stored.scaled(bound, Qt::KeepAspectRatio);
            reader.setScaledSize(fitted.expandedTo(QSize(1, 1)));
        }
    }
    QImage image = reader.read();
    if (!image.isNull() || !stored.isValid())
        return image;
    // Some formats (PNG) decode every pixel before scaling, and Qt refuses
    // pictures beyond its allocation limit: allow this one, within reason
    // (8 bytes a pixel covers 16-bit colour).
    const int limit = QImageReader::allocationLimit();
    const qint64 needed = qint64(stored.width()) * stored.height() * 8 / (1024 * 1024) + 1;
    QIODevice *device = reader.device();
    if (limit == 0 || needed <= limit || needed > 4096 || !device || device->isSequential() ||
        !device->seek(0))
        return image;
    QImageReader again(device, reader.format());
    again.setAutoTransform(true);
    again.setScaledSize(reader.scaledSize());
    QImageReader::setAllocationLimit(int(needed));
    image = again.read();
    QImageReader::setAllocationLimit(limit);
    return image;
}

QImage loadRecipePicture(const QString &path, QSize bound)
{
    const QString p = path.trimmed();
    if (p.isEmpty() || !QFileInfo(p).isFile())
        return {};
    QImageReader reader(p);
    return readPicture(reader, bound);
}

QImage clipboardPicture(const QMimeData *data, QSize bound)
{
    if (!data)
        return {};
    for (const QString &format : data->formats()) {
        if (!format.startsWith(u"image/"_s))
            continue;
        QByteArray bytes = data->data(format);
        QBuffer buffer(&bytes);
        if (bytes.isEmpty() || !buffer.open(QIODevice::ReadOnly))
            continue;
        QImageReader reader(&buffer);
        if (QImage image = readPicture(reader, bound); !image.isNull())
            return image;
    }
    if (!data->hasImage())
        return {};
    QImage image = qvariant_cast<QImage>(data->imageData());
    if (!image.isNull() && (image.width() > bound.width() || image.height() > bound.height()))
        image = image.scaled(bound, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return image;
}

bool loadRecipePicture(const QString &path, QImage &holder)
{
    QImage image = loadRecipePicture(path);
    if (image.isNull())
        return false;
    holder = std::move(image);
    return true;
}

QSize fittedSize(QSize boxSize, QSize pictureSize)
{
    if (pictureSize.width() <= 0 || pictureSize.height() <= 0 || boxSize.width() <= 0 ||
        boxSize.height() <= 0)
        return {};
    const double pw = pictureSize.width();
    const double ph = pictureSize.height();
    double w = boxSize.width();
    double h = w * (ph / pw);
    if (h > boxSize.height()) {
        h = boxSize.height();
        w = h * (pw / ph);
    }
    return {qMax(1, qRound(w)), qMax(1, qRound(h))};
}

QString nextNumberedName(const QString &folder)
{
    const QDir dir(folder.isEmpty() ? u"."_s : folder);
    const QStringList entries = dir.entryList({u"????.bmp"_s}, QDir::Files);
    int highest = 0;
    QSet<int> used;
    for (const QString &entry : entries) {
        const int number = leadingNumber(entry.left(entry.size() - 4));
        used.insert(number);
        highest = qMax(highest, number);
    }
    if (highest < 9999)
        return u"%1.bmp"_s.arg(highest + 1, 4, 10, QChar(u'0'));
    // Past 9999 the numbers would wrap and overwrite another recipe's
    // picture: take the lowest free number instead.
    for (int number = 1; number <= 9999; ++number) {
        if (!used.contains(number))
            return u"%1.bmp"_s.arg(number, 4, 10, QChar(u'0'));
    }
    return {};
}

} // namespace RecipePicture
