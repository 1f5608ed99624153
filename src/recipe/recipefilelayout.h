#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

// How the lines of a recipe file divide into metadata lines ("@..."), the
// header and the data rows, and whether a file is a recipe file at all.
//
// The header is recognised by its text, not by its place: a file whose first
// non-metadata line is a recipe has no header, and that line is its first
// row. Record numbers count as if the header were there (the first row is
// always 2), so they stay the same once a rewrite puts the header in.
namespace RecipeFileLayout {

// Some editors put a UTF-8 byte-order mark before the first line; it is not
// part of that line.
QByteArrayView withoutByteOrderMark(QByteArrayView content);
void dropByteOrderMark(QList<QByteArray> &lines);

inline bool isMetadataLine(QByteArrayView line)
{
    return line.startsWith('@');
}
inline bool isMetadataLine(QStringView line)
{
    return line.startsWith(u'@');
}

// The first non-metadata line is the header when it is empty or begins with
// the names 主材料, 副材料 and 料理名 (quoted or not).
bool isHeaderLine(QStringView line);

// The record number counted before the first non-metadata line: 1 when that
// line is a recipe row (the file has no header), otherwise 0 (the line is the
// header, number 1, whatever it holds).
int recordNoBeforeFirstLine(const QList<QByteArray> &lines);
int recordNoBeforeFirstLine(const QList<QStringView> &lines);

// The raw data row with this record number (2 and up).
std::optional<QByteArray> row(const QList<QByteArray> &lines, int recordNo);

// Tells rows apart: the list keeps it with each entry, so that a command on an
// entry can check that the row under its record number is still that row.
size_t rowIdentity(QByteArrayView rawRow);

// The raw row with this record number when it is still the row with this
// identity; nullopt when another row took its number or it is gone.
std::optional<QByteArray> sameRow(const QList<QByteArray> &lines, int recordNo, size_t identity);

// Why a file with these lines (byte-order mark dropped) is no recipe file,
// as a message naming path; empty text when it is one. A recipe file is
// CP932 text whose first non-metadata line is the header or a recipe row;
// UTF-8 and UTF-16 text, binary data and other tables are not.
QString refusal(const QString &path, const QList<QByteArray> &lines);

} // namespace RecipeFileLayout
