#pragma once

#include "platform/textfile.h"

#include <QList>
#include <QString>
#include <QStringView>

#include <functional>

// The list is rebuilt from the whole file after every change, so reading a
// large file must be quick. This gives exactly what Cp932 gives line by line,
// only faster for the common case.
namespace FastRowSplitter {

// Calls onLine with each line of the file decoded (CP932), split as
// TextFile::splitLines splits the bytes. Reads and decodes the file in pieces
// that end at a line end, calling betweenPieces after each; onLine or
// betweenPieces returning false abandons the read. A piece with invalid bytes
// is decoded line by line, as Cp932::decode does. Only one piece is held at a
// time. False when the file cannot be read whole (*error says why) or the
// read was abandoned; lines already given may then be part of a file that
// changed while being read.
bool forEachLine(const QString &path, const std::function<bool(QStringView line)> &onLine,
                 const std::function<bool()> &betweenPieces = {},
                 TextFile::ContentResult *error = nullptr);

// The same lines as read, before decoding (CP932 bytes, without line end),
// for readers that decode only part of each line.
bool forEachRawLine(const QString &path, const std::function<bool(QByteArrayView line)> &onLine,
                    const std::function<bool()> &betweenPieces = {},
                    TextFile::ContentResult *error = nullptr);

// All lines of the file as forEachLine gives them; the views point into
// storage.
bool readDecodedLines(const QString &path, QList<QStringView> &lines, QString &storage,
                      const std::function<bool()> &betweenChunks = {},
                      TextFile::ContentResult *error = nullptr);

} // namespace FastRowSplitter
