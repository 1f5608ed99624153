#pragma once

#include "platform/textfile.h"
#include "recipe/reciperecord.h"

#include <QByteArray>
#include <QList>
#include <QString>

// A recipe file as read: raw lines (so untouched rows can be copied byte for
// byte) and the data rows with their record numbers. Record numbers count
// the non-metadata lines from 1: the header is 1, the first data row 2 (also
// in a file without a header, see RecipeFileLayout).
class RecipeFileReader
{
public:
    struct Row
    {
        int recordNo;
        qsizetype lineIndex; // index into lines()
    };

    // Reads the whole file; error() tells what went wrong.
    explicit RecipeFileReader(const QString &path);

    TextFile::Error error() const { return m_error; }
    QString errorText() const { return m_errorText; }
    bool ok() const { return m_error == TextFile::Error::None; }

    const QList<QByteArray> &lines() const { return m_lines; }
    const QList<Row> &rows() const { return m_rows; }
    // Metadata lines ("@...") wherever they stand, decoded.
    QStringList metadataLines() const;

    // Decoded text of a raw line (invalid bytes show as U+FFFD).
    static QString decodeLine(const QByteArray &raw);
    // The row with this record number split into a record, category fields
    // not yet normalised; an empty record when there is no such row.
    RecipeRecord record(int recordNo) const;
    QString rowText(int recordNo) const;

private:
    QList<QByteArray> m_lines;
    QList<Row> m_rows;
    TextFile::Error m_error = TextFile::Error::None;
    QString m_errorText;
};
