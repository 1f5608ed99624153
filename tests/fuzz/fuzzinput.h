#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// Helpers shared by the fuzz harnesses.
namespace FuzzInput {

// Text for harnesses that take Unicode: UTF-8 normally, raw UTF-16 code
// units (lone surrogates included) when the first byte is 0xFF.
inline QString text(const uint8_t *data, size_t size)
{
    if (size > 0 && data[0] == 0xFF) {
        return QString(reinterpret_cast<const QChar *>(data + 1), qsizetype((size - 1) / 2));
    }
    return QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
}

// A property that does not hold: print both sides and stop the run, so the
// input is saved as a crash.
[[noreturn]] inline void fail(const char *what, const QString &expected, const QString &actual)
{
    std::fprintf(stderr, "property failed: %s\n expected: %s\n actual:   %s\n", what,
                 expected.toUtf8().toHex(' ').constData(), actual.toUtf8().toHex(' ').constData());
    std::abort();
}

// A file in a folder on tmpfs when there is one, so that writing it for
// every input stays cheap.
QString scratchFile(const char *name);

// Replaces the scratch file's content.
void writeScratch(const QString &path, const uint8_t *data, size_t size);

} // namespace FuzzInput
