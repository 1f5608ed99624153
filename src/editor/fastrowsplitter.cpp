#include "editor/fastrowsplitter.h"

#include "platform/textfile.h"
#include "recipe/recipefilelayout.h"

#include <cstring>

namespace FastRowSplitter {

bool forEachRawLine(const QString &path, const std::function<bool(QByteArrayView line)> &onLine,
                    const std::function<bool()> &betweenPieces, TextFile::ContentResult *error)
{
    TextFile::BlockReader file(path);
    const auto failed = [&] {
        if (error)
            *error = file.result();
        return false;
    };
    if (file.result().error != TextFile::Error::None)
        return failed();
    // Pieces end after a line feed, which is never part of a two-byte
    // character nor the second half of a CR LF, so each piece splits on its
    // own.
    constexpr qsizetype block = 256 * 1024;
    QByteArray bytes; // the unfinished last line of the previous block, then the next block
    bool first = true;
    bool atEnd = false;
    while (!atEnd) {
        const qsizetype kept = bytes.size();
        bytes.resize(kept + block);
        const qint64 got = file.read(bytes.data() + kept, block);
        if (got < 0)
            return failed();
        bytes.resize(kept + got);
        atEnd = got == 0;
        if (first) {
            bytes.remove(0, bytes.size() - RecipeFileLayout::withoutByteOrderMark(bytes).size());
            first = false;
        }
        const qsizetype cut = atEnd ? bytes.size() : bytes.lastIndexOf('\n') + 1;
        if (cut == 0)
            continue;
        const QByteArrayView piece = QByteArrayView(bytes).first(cut);
        bool going = true;
        TextFile::forEachLine(piece, [&](qsizetype start, qsizetype length) {
            going = going && onLine(piece.sliced(start, length));
        });
        if (!going)
            return false;
        // Moved to the front by hand: remove() would leave the room at the
        // front and the next block would need a new buffer.
        const qsizetype rest = bytes.size() - cut;
        std::memmove(bytes.data(), bytes.constData() + cut, size_t(rest));
        bytes.resize(rest);
        if (betweenPieces && !betweenPieces())
            return false;
    }
    return true;
}

} // namespace FastRowSplitter
