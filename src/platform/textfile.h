#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <cstring>
#include <type_traits>

// Line-oriented access to the program's CR LF text files. Lines stay raw
// bytes, so rows that a rewrite does not touch are copied byte for byte.
namespace TextFile {

enum class Error { None, NotFound, ReadFailed, WriteFailed };

// Larger than a million recipes, small enough to hold twice in memory.
inline constexpr qint64 maxFileSize = qint64(256) * 1024 * 1024;

struct ContentResult
{
    Error error = Error::None;
    QString errorText; // why, in words for the user
    QByteArray content;
};

struct ReadResult
{
    Error error = Error::None;
    QString errorText;       // why, in words for the user
    QList<QByteArray> lines; // without line ends
};

// Calls emit(start, length) for every line of text; CR LF, a lone LF and a
// lone CR (old Macintosh files) each end a line. A final line without a line
// end is kept. Serves raw bytes and decoded text alike: CP932 never uses
// CR or LF inside a double-byte character.
template <typename Text, typename Emit> void forEachLine(const Text &text, Emit emit)
{
    const qsizetype n = text.size();
    if constexpr (std::is_convertible_v<const Text &, QByteArrayView>) {
        // Bytes: the line ends are looked for with memchr, most of a line
        // being neither CR nor LF.
        const char *const begin = QByteArrayView(text).data();
        const char *const end = begin + n;
        const char *p = begin;
        while (p < end) {
            const char *lf = static_cast<const char *>(std::memchr(p, '\n', size_t(end - p)));
            const char *lineEnd = lf ? lf : end;
            const char *next = lf ? lf + 1 : end;
            if (const void *cr = std::memchr(p, '\r', size_t(lineEnd - p))) {
                lineEnd = static_cast<const char *>(cr);
                next = lineEnd + 1 == lf ? lf + 1 : lineEnd + 1;
            }
            emit(qsizetype(p - begin), qsizetype(lineEnd - p));
            p = next;
        }
        return;
    }
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const auto c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        emit(start, i - start);
        if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        emit(start, n - start);
}

QList<QByteArray> splitLines(const QByteArray &content);

// Reads a whole regular file, following links. Anything else (a folder, a
// pipe, a device), a file over maxFileSize and a read that stops short are
// refused, so a caller never works on part of a file.
ContentResult readContent(const QString &path);
ReadResult readLines(const QString &path);

// Reads a file a block at a time, with readContent's checks, for readers that
// need not hold the whole file: read() fails as readContent would (the file
// is no regular file, too large, a read error, or it changed size while
// being read); result() then says why.
class BlockReader
{
public:
    explicit BlockReader(const QString &path);
    ~BlockReader();
    BlockReader(const BlockReader &) = delete;
    BlockReader &operator=(const BlockReader &) = delete;

    // Fills out with up to max bytes: the number read, 0 once the whole file
    // has been read, -1 on failure.
    qint64 read(char *out, qint64 max);
    const ContentResult &result() const { return m_result; }

private:
    int m_fd = -1;
    qint64 m_size = 0;
    qint64 m_done = 0;
    ContentResult m_result;
};

// Whether the file could be read by readContent, without reading it.
ContentResult checkReadable(const QString &path);

// Joins lines, each followed by CR LF.
QByteArray joinLines(const QList<QByteArray> &lines);

struct WriteResult
{
    enum Status {
        Saved,
        // The new content is in place, but syncing the folder failed: it may
        // not survive a power cut.
        SavedButDiskError,
        NotSaved,
    };
    Status status = NotSaved;
    QString errorText; // what the system reported, in words for the user
    bool saved() const { return status != NotSaved; }
};

// Replaces the file as a whole: afterwards it holds either its old content or
// the new one, never part of it, even after a crash or a full disk. Every
// step that makes the change durable is checked. The new content is written
// to "<name>.qvsave-<process>-<n>" beside the file and renamed over it; such
// files left by a crash are removed by the next save of the same file.
// A scratch file (one that nothing reads back after a crash, such as the work
// copy of a rewrite) is replaced the same way with every call checked, but
// not flushed to the disk: a flush costs as much as the write.
enum class Durability { Durable, Scratch };
WriteResult writeAtomically(const QString &path, const QByteArray &content,
                            Durability durability = Durability::Durable);

// Copies a file through readContent and writeAtomically; a failed read is
// reported like a failed write (NotSaved) with the reader's text.
WriteResult copyAtomically(const QString &from, const QString &to);

// The suffix that marks a save in progress, for the tests.
inline constexpr const char *temporaryMark = ".qvsave-";

} // namespace TextFile
