#include "platform/textfile.h"

#include "platform/systemerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

using namespace Qt::StringLiterals;

namespace TextFile {

namespace {

// What the system reported, as a sentence of a message.
QString systemErrorText(int e)
{
    return SystemError::text(e) + u'。';
}

// A file descriptor that is closed when it goes out of scope unless the
// caller closed it (and checked the result) itself.
class Descriptor
{
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    void reset(int fd)
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }
    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    // Hands the descriptor over to the caller.
    int release() { return std::exchange(m_fd, -1); }
    // Returns 0 or the error number.
    int close()
    {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0 ? 0 : errno;
    }

private:
    int m_fd;
};

QString notRegularText(mode_t mode)
{
    if (S_ISDIR(mode))
        return u"ファイルではなくフォルダーです。"_s;
    return u"通常のファイルではありません（パイプや装置などは読み書きできません）。"_s;
}

QString tooLargeText(qint64 size)
{
    return u"ファイルが大きすぎます（%1 MB）。レシピファイルとして扱えるのは %2 MB までです。"_s
        .arg((size + 1024 * 1024 - 1) / (1024 * 1024))
        .arg(maxFileSize / (1024 * 1024));
}

ContentResult failure(Error error, const QString &text)
{
    ContentResult r;
    r.error = error;
    r.errorText = text;
    return r;
}

// Why a read of a file of size bytes that ended after done bytes is refused.
QString unexpectedEndText(qint64 size, qint64 done)
{
    return done < size ? u"ファイルを最後まで読めませんでした（%1 バイト中 %2 バイト）。"_s.arg(
                             QString::number(size), QString::number(done))
                       : u"ファイルが読んでいる間に書き換えられました。"_s;
}

// Opens for reading without blocking on a pipe and checks that it is a
// regular file of a sane size.
ContentResult openForReading(const QString &path, Descriptor &fd, qint64 *size)
{
    const QByteArray name = QFile::encodeName(path);
    if (path.isEmpty())
        return failure(Error::NotFound, systemErrorText(ENOENT));
    int opened;
    do {
        opened = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    } while (opened < 0 && errno == EINTR);
    if (opened < 0) {
        const int e = errno;
        return failure(e == ENOENT ? Error::NotFound : Error::ReadFailed, systemErrorText(e));
    }
    fd.reset(opened);
    struct stat st;
    if (::fstat(fd.get(), &st) != 0)
        return failure(Error::ReadFailed, systemErrorText(errno));
    if (!S_ISREG(st.st_mode))
        return failure(Error::ReadFailed, notRegularText(st.st_mode));
    if (st.st_size > maxFileSize)
        return failure(Error::ReadFailed, tooLargeText(st.st_size));
    *size = st.st_size;
    return {};
}

// Removes what earlier saves of this file left behind when the process was
// killed between writing the new content and renaming it: files named
// "<name>.qvsave-<pid>-<n>" whose process is gone (or is this one, which
// saves one file at a time).
void removeStaleTemporaries(const QString &folder, const QString &fileName)
{
    const QString prefix = fileName + QLatin1StringView(temporaryMark);
    const QStringList found =
        QDir(folder).entryList({prefix + u'*'}, QDir::Files | QDir::System | QDir::Hidden);
    for (const QString &name : found) {
        const QString rest = name.mid(prefix.size());
        const qsizetype dash = rest.indexOf(u'-');
        bool numeric = false;
        const qint64 pid = rest.left(dash).toLongLong(&numeric);
        if (!numeric || dash < 0 || pid <= 0)
            continue;
        const bool gone = pid == ::getpid() || (::kill(pid_t(pid), 0) != 0 && errno == ESRCH);
        if (gone)
            ::unlink(QFile::encodeName(folder + u'/' + name).constData());
    }
}

// Writes all of data, checking every call.
int writeAll(int fd, const QByteArray &data)
{
    const char *p = data.constData();
    qsizetype left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(qMin<qsizetype>(left, 1 << 30)));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            return EIO;
        p += n;
        left -= n;
    }
    return 0;
}

// Where the content really goes: the end of a chain of links, so that a
// link stays a link.
QString resolveLinks(const QString &path)
{
    QFileInfo info(path);
    for (int depth = 0; depth < 32 && info.isSymLink(); ++depth) {
        const QString target = info.symLinkTarget();
        if (target.isEmpty())
            break;
        info.setFile(target);
    }
    return info.filePath();
}

} // namespace

QList<QByteArray> splitLines(const QByteArray &content)
{
    QList<QByteArray> lines;
    forEachLine(content, [&](qsizetype start, qsizetype length) {
        lines.append(content.mid(start, length));
    });
    return lines;
}

ContentResult checkReadable(const QString &path)
{
    Descriptor fd(-1);
    qint64 size = 0;
    return openForReading(path, fd, &size);
}

ContentResult readContent(const QString &path)
{
    Descriptor fd(-1);
    qint64 size = 0;
    ContentResult result = openForReading(path, fd, &size);
    if (result.error != Error::None)
        return result;
    // One byte more than the size the file had: a read that returns more
    // means the file grew while being read.
    QByteArray buffer(size + 1, Qt::Uninitialized);
    qint64 done = 0;
    while (done < size + 1) {
        const ssize_t n =
            ::read(fd.get(), buffer.data() + done, size_t(qMin<qint64>(size + 1 - done, 1 << 30)));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return failure(Error::ReadFailed, systemErrorText(errno));
        }
        if (n == 0)
            break;
        done += n;
    }
    if (done != size)
        return failure(Error::ReadFailed, unexpectedEndText(size, done));
    buffer.truncate(size);
    result.content = std::move(buffer);
    return result;
}

BlockReader::BlockReader(const QString &path)
{
    Descriptor fd(-1);
    m_result = openForReading(path, fd, &m_size);
    if (m_result.error == Error::None)
        m_fd = fd.release();
}

BlockReader::~BlockReader()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

qint64 BlockReader::read(char *out, qint64 max)
{
    if (m_result.error != Error::None)
        return -1;
    for (;;) {
        const ssize_t n = ::read(m_fd, out, size_t(qMin<qint64>(max, 1 << 30)));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            m_result = failure(Error::ReadFailed, systemErrorText(errno));
            return -1;
        }
        m_done += n;
        // The same checks as a whole read: the file must end where its size
        // said, neither earlier nor later.
        if (m_done > m_size || (n == 0 && m_done < m_size)) {
            m_result = failure(Error::ReadFailed, unexpectedEndText(m_size, m_done));
            return -1;
        }
        return n;
    }
}

ReadResult readLines(const QString &path)
{
    ContentResult content = readContent(path);
    ReadResult result;
    result.error = content.error;
    result.errorText = content.errorText;
    if (content.error == Error::None)
        result.lines = splitLines(content.content);
    return result;
}

QByteArray joinLines(const QList<QByteArray> &lines)
{
    qsizetype total = 0;
    for (const QByteArray &line : lines)
        total += line.size() + 2;
    QByteArray out;
    out.reserve(total);
    for (const QByteArray &line : lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

WriteResult writeAtomically(const QString &path, const QByteArray &content, Durability durability)
{
    const bool durable = durability == Durability::Durable;
    WriteResult result;
    const auto notSaved = [&](int e) {
        result.status = WriteResult::NotSaved;
        result.errorText = systemErrorText(e);
        return result;
    };
    const QString target = resolveLinks(path);
    const QByteArray targetName = QFile::encodeName(target);
    const QFileInfo targetInfo(target);
    const QString folder = targetInfo.absolutePath();

    struct stat st;
    const bool exists = ::stat(targetName.constData(), &st) == 0;
    if (exists && !S_ISREG(st.st_mode)) {
        result.errorText = notRegularText(st.st_mode);
        return result;
    }
    // A write-protected file is not replaced behind the user's back.
    if (exists && ::access(targetName.constData(), W_OK) != 0)
        return notSaved(errno);

    removeStaleTemporaries(folder, targetInfo.fileName());
    static int counter = 0;
    QByteArray temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = targetName + temporaryMark + QByteArray::number(qint64(::getpid())) + '-' +
                    QByteArray::number(++counter);
        fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST && errno != EINTR)
            return notSaved(errno);
    }
    if (fd < 0)
        return notSaved(EEXIST);
    Descriptor file(fd);
    const auto discard = [&](int e) {
        file.close();
        ::unlink(temporary.constData());
        return notSaved(e);
    };
    if (exists)
        (void)::fchmod(file.get(), st.st_mode & 07777);
    if (const int e = writeAll(file.get(), content))
        return discard(e);
    // The data must be on the disk before the rename makes it the file.
    if (durable && ::fdatasync(file.get()) != 0)
        return discard(errno);
    if (const int e = file.close()) {
        ::unlink(temporary.constData());
        return notSaved(e);
    }
    if (::rename(temporary.constData(), targetName.constData()) != 0) {
        const int e = errno;
        ::unlink(temporary.constData());
        return notSaved(e);
    }

    // The rename is done; only its durability is left to check.
    result.status = WriteResult::Saved;
    if (!durable)
        return result;
    Descriptor dir(
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    int e = dir.valid() ? 0 : errno;
    // Some file systems cannot sync a folder at all; that is no failure.
    if (e == 0 && ::fsync(dir.get()) != 0 && errno != EINVAL && errno != ENOTSUP)
        e = errno;
    if (dir.valid()) {
        if (const int closed = dir.close(); e == 0)
            e = closed;
    }
    if (e != 0) {
        result.status = WriteResult::SavedButDiskError;
        result.errorText = systemErrorText(e);
    }
    return result;
}

WriteResult copyAtomically(const QString &from, const QString &to)
{
    const ContentResult source = readContent(from);
    if (source.error != Error::None) {
        WriteResult result;
        result.errorText = source.errorText;
        return result;
    }
    return writeAtomically(to, source.content);
}

} // namespace TextFile
