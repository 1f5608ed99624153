#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// Line-oriented access to the program's CR LF text files. Lines stay raw
// bytes, so rows that a rewrite does not touch are copied byte for byte.
namespace TextFile {

enum class Error { None, NotFound, ReadFailed, WriteFailed };

struct ReadResult
{
    Error error = Error::None;
    QString errorText;
    QList<QByteArray> lines; // without line ends
};

// Splits at CR LF; a lone LF also ends a line, so Unix-edited files read too.
// A final line without a line end is kept.
QList<QByteArray> splitLines(const QByteArray &content);

ReadResult readLines(const QString &path);

// Joins lines, each followed by CR LF.
QByteArray joinLines(const QList<QByteArray> &lines);

// Replaces the file as a whole: afterwards it holds either its old content or
// the new one, never part of it, even after a crash or a full disk.
// Returns an empty text on success, otherwise what went wrong.
QString writeAtomically(const QString &path, const QByteArray &content);

// Copies a file through writeAtomically (so the target is never half written).
QString copyAtomically(const QString &from, const QString &to);

} // namespace TextFile
