#pragma once

#include <QImage>
#include <QSize>
#include <QString>

class QImageReader;
class QMimeData;

// Recipe pictures: how a stored image name becomes a path, how a picture is
// read, and how it is fitted into a picture box. Shared by the list window,
// the card viewer and the printed page.
namespace RecipePicture {

// The path of a stored image name (field 添付) for the recipe file at
// recipeFilePath; empty for a blank name. Bare and relative names ("pic\a.bmp",
// ".\a.bmp", "..\a.bmp", "\a.bmp") are looked up in the recipe file's folder;
// a name with a drive ("C:\x.bmp") or beginning "/" is used as it stands.
// Names are matched to files without regard to case, as the stored names
// come from a system whose file names ignore case.
QString findImageFile(const QString &recipeFilePath, const QString &name);

// The simpler rule of the attach, paste and card commands: a name without a
// folder separator lies in the recipe file's folder, any other is used as it
// stands. Empty for a blank name.
QString pictureNamePath(const QString &recipeFilePath, const QString &name);

// Reads a picture (BMP, GIF, JPEG, PNG and whatever else Qt decodes). A blank
// path, a missing file or one that cannot be decoded gives a null image; the
// caller keeps what it showed before. A picture larger than bound (in
// pixels; none when invalid) is decoded at the size that fits it, aspect
// kept: a photo of any size shows, without holding all its pixels.
QImage loadRecipePicture(const QString &path, QSize bound = {});

// The same for data already opened (a pasted picture's encoded bytes).
QImage readPicture(QImageReader &reader, QSize bound);

// The picture on the clipboard: other programs hand over encoded data, which
// is decoded here at most at bound (the converter Qt would use refuses large
// pictures); a picture put there by this program is taken as it is, made to
// fit bound. Null when there is none.
QImage clipboardPicture(const QMimeData *data, QSize bound);

// How large a pasted picture is kept: enough for any printed page.
inline constexpr QSize pastedPictureBound(4096, 4096);

// Same, into a holder that is left unchanged when nothing could be read.
bool loadRecipePicture(const QString &path, QImage &holder);

// The size a picture of pictureSize is drawn at in a box of boxSize: the box
// width, unless the height would then exceed the box, in which case the box
// height. Drawn from the box's top-left corner. Empty for an empty picture.
QSize fittedSize(QSize boxSize, QSize pictureSize);

// The next free numbered name ("0001.bmp", "0002.bmp", ...) for a pasted
// picture in folder: one more than the highest number among the files
// matching "????.bmp" there (names that are not numbers count as 0).
QString nextNumberedName(const QString &folder);

// The real file behind path when only the case differs; path itself when it
// exists or nothing matches.
QString matchFileCase(const QString &path);

} // namespace RecipePicture
