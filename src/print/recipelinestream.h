#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <optional>

// The lines of a recipe file, read one at a time from any byte offset, so a
// scan can stop at a page and later go on from there. Lines end at CR LF, LF
// or a lone CR, as everywhere else the files are read.
class RecipeLineStream
{
public:
    // What tells cheaply that a file still holds what it held: any rewrite
    // changes one of these (a replace through a work file changes the inode).
    struct Stamp
    {
        qint64 size = -1;
        qint64 modifiedNs = 0;
        qint64 changedNs = 0;
        quint64 inode = 0;
        quint64 device = 0;

        bool operator==(const Stamp &) const = default;
    };
    // Nothing when the file is gone.
    static std::optional<Stamp> stamp(const QString &path);

    explicit RecipeLineStream(const QString &path) : m_path(path) {}
    QString path() const { return m_path; }

    // Opens the file at offset; false with error() set when it is gone or
    // cannot be read.
    bool open(qint64 offset = 0);
    // Goes back or forward to another line start.
    bool seek(qint64 offset);
    // The next line without its line end; false at the end or on a read
    // error (error() tells which).
    bool readLine(QByteArray &line);
    bool atEnd() const { return m_offset >= m_size; }
    // Byte offset of the next line.
    qint64 offset() const { return m_offset; }
    QString error() const { return m_error; }

private:
    bool fill();

    QString m_path;
    QFile m_file;
    QByteArray m_buffer; // read ahead from the file
    qsizetype m_bufferAt = 0;
    qint64 m_offset = 0;
    qint64 m_size = 0;
    QString m_error;
};
