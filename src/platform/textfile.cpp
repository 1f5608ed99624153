#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <fcntl.h>
#include <unistd.h>

namespace TextFile {

QList<QByteArray> splitLines(const QByteArray &content)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    const qsizetype n = content.size();
    while (start < n) {
        qsizetype lf = content.indexOf('\n', start);
        if (lf < 0) {
            lines.append(content.mid(start));
            break;
        }
        qsizetype end = lf;
        if (end > start && content.at(end - 1) == '\r')
            --end;
        lines.append(content.mid(start, end - start));
        start = lf + 1;
    }
    return lines;
}

ReadResult readLines(const QString &path)
{
    ReadResult result;
    QFile file(path);
    if (!file.exists()) {
        result.error = Error::NotFound;
        result.errorText = path;
        return result;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = Error::ReadFailed;
        result.errorText = file.errorString();
        return result;
    }
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.error = Error::ReadFailed;
        result.errorText = file.errorString();
        return result;
    }
    result.lines = splitLines(content);
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

static void syncFolder(const QString &path)
{
    const QByteArray dir = QFile::encodeName(QFileInfo(path).absolutePath());
    const int fd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

QString writeAtomically(const QString &path, const QByteArray &content)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(content) != content.size()) {
        const QString error = file.errorString();
        file.cancelWriting();
        return error;
    }
    // commit() does not report a failure of its own final flush, so a full
    // disk could leave a truncated file behind a "success": flush first.
    if (!file.flush() || file.error() != QFileDevice::NoError) {
        const QString error = file.errorString();
        file.cancelWriting();
        return error;
    }
    if (!file.commit())
        return file.errorString();
    syncFolder(path);
    return {};
}

QString copyAtomically(const QString &from, const QString &to)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return source.errorString();
    const QByteArray content = source.readAll();
    if (source.error() != QFileDevice::NoError)
        return source.errorString();
    return writeAtomically(to, content);
}

} // namespace TextFile
