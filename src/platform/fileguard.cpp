#include "platform/fileguard.h"

#include "platform/textfile.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

FileGuard::FileGuard(const QString &path, int waitMs) : m_path(path)
{
#ifdef Q_OS_UNIX
    const QByteArray native = QFile::encodeName(path);
    QDeadlineTimer deadline(waitMs);
    for (;;) {
        // Non-blocking: opening a FIFO must not hang; it is no file to lock.
        const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            break; // missing or unreadable: the rewrite's own read reports it
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(fd);
            if (error != EWOULDBLOCK && error != EINTR)
                break; // no locks here (some network file systems)
            if (deadline.hasExpired()) {
                m_locked = false;
                return;
            }
            QThread::msleep(20);
            continue;
        }
        // The holder before us may have replaced the file: the lock must be
        // on the file the path names now.
        struct stat held
        {
        };
        struct stat named
        {
        };
        if (::fstat(fd, &held) == 0 && ::stat(native.constData(), &named) == 0 &&
            held.st_dev == named.st_dev && held.st_ino == named.st_ino) {
            m_fd = fd;
            break;
        }
        ::close(fd);
        if (deadline.hasExpired())
            break;
    }
#else
    Q_UNUSED(waitMs);
#endif
    m_taken = fingerprint(path, &m_content);
    if (m_taken.size < 0) // no regular file: the reader tells why
        m_content = TextFile::readContent(path);
}

FileGuard::~FileGuard()
{
#ifdef Q_OS_UNIX
    if (m_fd >= 0)
        ::close(m_fd); // releases the lock
#endif
}

bool FileGuard::unchanged(QString *readError) const
{
    if (!m_taken.readable)
        return true;
    TextFile::ContentResult now;
    const Fingerprint f = fingerprint(m_path, &now);
    if (now.error != TextFile::Error::None && readError)
        *readError = now.errorText;
    return f == m_taken;
}

FileGuard::Fingerprint FileGuard::fingerprint(const QString &path, TextFile::ContentResult *read)
{
    Fingerprint f;
    const QFileInfo info(path);
    if (!info.isFile())
        return f;
#ifdef Q_OS_UNIX
    struct stat st
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return f;
    f.device = quint64(st.st_dev);
    f.inode = quint64(st.st_ino);
    f.size = qint64(st.st_size);
    f.modifiedNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
#else
    f.size = info.size();
    f.modifiedNs = info.lastModified().toMSecsSinceEpoch() * 1000000;
#endif
    // A change within the time stamp's resolution keeps size and time, so
    // the content is compared too: byte for byte, which is quicker than a
    // digest of it, and the content is held anyway for the rewrite.
    *read = TextFile::readContent(path);
    if (read->error != TextFile::Error::None)
        return f;
    f.content = read->content;
    f.readable = true;
    return f;
}
