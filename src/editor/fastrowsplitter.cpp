#include "editor/fastrowsplitter.h"

#include "platform/cp932.h"
#include "platform/textfile.h"
#include "recipe/recipefilelayout.h"

#include <QList>

#include <cstring>

namespace FastRowSplitter {

namespace {

// The lines of decoded text, each without its line end.
void splitDecoded(QStringView text, QList<QStringView> &lines)
{
    TextFile::forEachLine(
        text, [&](qsizetype start, qsizetype length) { lines.append(text.sliced(start, length)); });
}

// Decodes a piece of whole lines into text; lines point into it.
void decodePiece(QByteArrayView piece, Cp932::Decoder &decoder, QString &text,
                 QList<QStringView> &lines)
{
    lines.clear();
    if (decoder.decodeSound(piece, text)) {
        splitDecoded(text, lines);
        return;
    }
    // Invalid bytes: each line on its own, so every bad sequence becomes one
    // replacement character as everywhere else.
    const QList<QByteArray> raw = TextFile::splitLines(piece.toByteArray());
    QList<qsizetype> ends;
    text.clear();
    for (const QByteArray &line : raw) {
        text += decoder.decode(line);
        ends.append(text.size());
    }
    qsizetype start = 0;
    for (qsizetype end : ends) {
        lines.append(QStringView(text).sliced(start, end - start));
        start = end;
    }
}

} // namespace

// Reads the file in pieces of whole lines and hands each to onPiece; the
// unfinished last line of a block waits for the next block.
template <typename OnPiece>
static bool forEachPiece(const QString &path, OnPiece onPiece,
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
    // character nor the second half of a CR LF, so each piece decodes and
    // splits on its own.
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
        if (!onPiece(QByteArrayView(bytes).first(cut)))
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

bool forEachLine(const QString &path, const std::function<bool(QStringView line)> &onLine,
                 const std::function<bool()> &betweenPieces, TextFile::ContentResult *error)
{
    Cp932::Decoder decoder;
    QString text;
    QList<QStringView> lines;
    return forEachPiece(
        path,
        [&](QByteArrayView piece) {
            decodePiece(piece, decoder, text, lines);
            for (const QStringView line : std::as_const(lines)) {
                if (!onLine(line))
                    return false;
            }
            return true;
        },
        betweenPieces, error);
}

bool forEachRawLine(const QString &path, const std::function<bool(QByteArrayView line)> &onLine,
                    const std::function<bool()> &betweenPieces, TextFile::ContentResult *error)
{
    return forEachPiece(
        path,
        [&](QByteArrayView piece) {
            bool going = true;
            TextFile::forEachLine(piece, [&](qsizetype start, qsizetype length) {
                going = going && onLine(piece.sliced(start, length));
            });
            return going;
        },
        betweenPieces, error);
}

bool readDecodedLines(const QString &path, QList<QStringView> &lines, QString &storage,
                      const std::function<bool()> &betweenChunks, TextFile::ContentResult *error)
{
    lines.clear();
    storage.clear();
    QList<qsizetype> ends;
    const bool read = forEachLine(
        path,
        [&](QStringView line) {
            storage += line;
            ends.append(storage.size());
            return true;
        },
        betweenChunks, error);
    if (!read)
        return false;
    qsizetype start = 0;
    for (qsizetype end : std::as_const(ends)) {
        lines.append(QStringView(storage).sliced(start, end - start));
        start = end;
    }
    return true;
}

} // namespace FastRowSplitter
