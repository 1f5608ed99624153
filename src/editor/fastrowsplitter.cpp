#include "editor/fastrowsplitter.h"

#include "platform/cp932.h"
#include "platform/textfile.h"
#include "recipe/recipefilelayout.h"

#include <QStringDecoder>

namespace FastRowSplitter {

bool readDecodedLines(const QString &path, QList<QStringView> &lines, QString &storage,
                      const std::function<bool()> &betweenChunks, TextFile::ContentResult *error)
{
    lines.clear();
    storage.clear();
    TextFile::ContentResult read = TextFile::readContent(path);
    if (read.error != TextFile::Error::None) {
        if (error)
            *error = read;
        return false;
    }
    QByteArray content = std::move(read.content);
    content.remove(0, content.size() - RecipeFileLayout::withoutByteOrderMark(content).size());

    // In chunks, so the window gets its events between them; the decoder
    // carries a character split between two chunks over. The converter holds
    // back a lead byte at the very end instead of reporting it; walking the
    // lead bytes finds it.
    constexpr qsizetype chunk = 256 * 1024;
    QStringDecoder decoder("windows-31j");
    storage.reserve(content.size());
    const auto *bytes = reinterpret_cast<const uchar *>(content.constData());
    qsizetype walked = 0;
    for (qsizetype at = 0; at < content.size(); at += chunk) {
        const qsizetype size = qMin(chunk, content.size() - at);
        storage += decoder.decode(QByteArrayView(content).sliced(at, size));
        while (walked < at + size) {
            const uchar b = bytes[walked];
            walked += (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC) ? 2 : 1;
        }
        if (betweenChunks && !betweenChunks())
            return false;
    }
    if (!decoder.hasError() && walked == content.size()) {
        const QStringView text(storage);
        TextFile::forEachLine(text, [&](qsizetype start, qsizetype length) {
            lines.append(text.sliced(start, length));
        });
        return true;
    }

    // Invalid bytes: each line on its own, so every bad sequence becomes one
    // replacement character as everywhere else.
    const QList<QByteArray> raw = TextFile::splitLines(content);
    QList<qsizetype> ends;
    storage.clear();
    for (const QByteArray &line : raw) {
        storage += Cp932::decode(line);
        ends.append(storage.size());
    }
    qsizetype start = 0;
    for (qsizetype end : ends) {
        lines.append(QStringView(storage).sliced(start, end - start));
        start = end;
    }
    return true;
}

} // namespace FastRowSplitter
