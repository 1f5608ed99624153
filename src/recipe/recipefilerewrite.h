#pragma once

#include "recipe/reciperecord.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

// Every change of a recipe file goes through here: the current file is copied
// to the work file "qvprint.tmp" in the program folder, the new content is
// built from the work copy's lines, and the current file is replaced as a
// whole. A crash, a kill or a full disk leaves the old or the new file, never
// a part; a failure changes nothing and says what went wrong. Rewrites of one
// file by several processes follow one another, and a file that something
// else changed meanwhile is not replaced.
namespace RecipeFileRewrite {

inline constexpr const char16_t *workFileName = u"qvprint.tmp";

struct Result
{
    bool ok = false;
    QString error;   // for the message when !ok
    QString warning; // when ok but the disk reported an error after the new file was in place
};

// Builds the new lines from the old ones; returning false (with a message in
// *error) abandons the rewrite and leaves the file as it was.
using Transform = std::function<bool(const QList<QByteArray> &oldLines, QList<QByteArray> &newLines,
                                     QString *error)>;

// currentPath is the file to rewrite; the work copy goes to workPath
// (normally ProgramFolder::path() + "qvprint.tmp").
Result rewrite(const QString &currentPath, const QString &workPath, const Transform &transform);

// Whether path is the work file itself: it can never be a recipe file, as
// every rewrite replaces it.
bool isWorkFile(const QString &path, const QString &workPath);
QString workFileRefusal(const QString &path);

// A recipe file that could not be read, with what the system reported: the
// file is left as it was.
QString readRefusal(const QString &path, const QString &why);

// The fixed header line in CP932.
QByteArray headerBytes();

// A record as one CP932 row (without line end). Its fields are normalised
// first (in place, so the caller's sort key sees what is stored); fails
// naming the field and a character that CP932 cannot hold.
bool encodeRow(RecipeRecord &record, int lastField, QByteArray *row, QString *error);

// Copies old lines to new ones: metadata lines unchanged, the header replaced
// by the fixed header (put in when the file has none), every data row passed
// to rowFilter (record number, raw line) which appends what it wants to `out`.
void copyWithHeader(const QList<QByteArray> &oldLines, QList<QByteArray> &out,
                    const std::function<void(int recordNo, const QByteArray &raw,
                                             QList<QByteArray> &out)> &rowFilter);

} // namespace RecipeFileRewrite
