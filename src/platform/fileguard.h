#pragma once

#include "platform/textfile.h"

#include <QByteArray>
#include <QString>

// Held while one file is rewritten from a copy of it. Other guards of the
// same file wait until this one is released (two copies of the program,
// started from different folders, may share a recipe file), and unchanged()
// tells whether something that takes no guard (an editor, a sync tool)
// changed the file since the guard was taken, so that a rewrite built from
// the old content never replaces newer content.
//
// The lock is an flock on the file itself: it ends with the process, so a
// crash never leaves the file locked. Where the file system cannot lock,
// only the content check remains.
class FileGuard
{
public:
    explicit FileGuard(const QString &path, int waitMs = 10000);
    ~FileGuard();
    FileGuard(const FileGuard &) = delete;
    FileGuard &operator=(const FileGuard &) = delete;

    // False when another guard held the file for the whole wait.
    bool locked() const { return m_locked; }
    // The file as TextFile::readContent read it once the guard was taken:
    // what a rewrite starts from, and what unchanged() compares with.
    const TextFile::ContentResult &content() const { return m_content; }
    // True when the file is, by its identity, size, time and content, what
    // it was when the guard was taken (a file that could not be read then is
    // left to the reader to report). When it cannot be read now, false with
    // the reason in *readError.
    bool unchanged(QString *readError = nullptr) const;

private:
    struct Fingerprint
    {
        bool readable = false;
        quint64 device = 0;
        quint64 inode = 0;
        qint64 size = -1;
        qint64 modifiedNs = 0;
        QByteArray content;
        bool operator==(const Fingerprint &) const = default;
    };
    // *read receives the read's result; it is left alone (and size is -1)
    // when the path names no regular file.
    static Fingerprint fingerprint(const QString &path, TextFile::ContentResult *read);

    QString m_path;
    int m_fd = -1;
    bool m_locked = true;
    Fingerprint m_taken;
    TextFile::ContentResult m_content;
};
