#include "fuzzinput.h"

#include <QDir>
#include <QFile>

#include <unistd.h>

namespace FuzzInput {

namespace {

QString &scratchFolder()
{
    static QString folder;
    return folder;
}

void removeScratchFolder()
{
    QDir(scratchFolder()).removeRecursively();
}

} // namespace

QString scratchFile(const char *name)
{
    QString &dir = scratchFolder();
    if (dir.isEmpty()) {
        const QString base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm")
                                                                       : QDir::tempPath();
        dir = base + QStringLiteral("/qvfuzz-%1").arg(qint64(::getpid()));
        QDir().mkpath(dir);
        std::atexit(removeScratchFolder);
    }
    return dir + u'/' + QString::fromLatin1(name);
}

void writeScratch(const QString &path, const uint8_t *data, size_t size)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        f.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size)) {
        std::fprintf(stderr, "cannot write the scratch file %s\n", qPrintable(path));
        std::abort();
    }
}

} // namespace FuzzInput
