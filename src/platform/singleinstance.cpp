#include "platform/singleinstance.h"

#include "platform/systemerror.h"

#include <QFile>
#include <QFileInfo>
#include <QLockFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

SingleInstance::SingleInstance() = default;

SingleInstance::~SingleInstance()
{
    release();
}

void SingleInstance::release()
{
#ifdef Q_OS_UNIX
    if (m_fd >= 0)
        ::close(m_fd); // closing drops the lock; the file stays for the next start
    m_fd = -1;
#endif
    m_lock.reset();
}

#ifdef Q_OS_UNIX

SingleInstance::Outcome SingleInstance::acquire(const QString &programDir)
{
    release();
    const QByteArray folder = QFile::encodeName(programDir);
    // The lock file alone could be writable in a folder that is not; every
    // save replaces files in the folder, so the folder itself must be writable.
    if (::access(folder.constData(), W_OK | X_OK) != 0)
        return {Status::CannotWrite, SystemError::text(errno)};
    const QByteArray path = QFile::encodeName(programDir + lockFileName());
    // Read access is enough for flock, so a lock file made by another user
    // in a shared folder still works.
    const int fd = ::open(path.constData(), O_RDONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return {Status::CannotWrite, SystemError::text(errno)};
    int rc;
    do {
        rc = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK)
            return {Status::HeldByAnother, QString()};
        // A file system without locks must not keep the program from starting.
        if (error == ENOLCK || error == EOPNOTSUPP)
            return {Status::Acquired, QString()};
        return {Status::CannotWrite, SystemError::text(error)};
    }
    m_fd = fd;
    return {Status::Acquired, QString()};
}

#else

SingleInstance::Outcome SingleInstance::acquire(const QString &programDir)
{
    release();
    if (!QFileInfo(programDir).isWritable())
        return {Status::CannotWrite, QString()};
    auto lock = std::make_unique<QLockFile>(programDir + lockFileName());
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        m_lock = std::move(lock);
        return {Status::Acquired, QString()};
    }
    // Only a lock whose owner may still run counts as another copy.
    if (lock->error() == QLockFile::LockFailedError)
        return {Status::HeldByAnother, QString()};
    return {Status::CannotWrite, QString()};
}

#endif
