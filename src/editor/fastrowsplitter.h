#pragma once

#include "platform/textfile.h"

#include <QByteArrayView>
#include <QString>

#include <functional>

// The list is rebuilt from the whole file after every change, so reading a
// large file must be quick: it is read a block at a time and handed out line
// by line as read, for the reader to decode no more than it needs.
namespace FastRowSplitter {

// Calls onLine with each line of the file as read (CP932 bytes, byte-order
// mark dropped, without line end), split as TextFile::splitLines splits.
// Reads the file in pieces that end at a line end, calling betweenPieces
// after each; onLine or betweenPieces returning false abandons the read. Only
// one piece is held at a time. False when the file cannot be read whole
// (*error says why) or the read was abandoned; lines already given may then
// be part of a file that changed while being read.
bool forEachRawLine(const QString &path, const std::function<bool(QByteArrayView line)> &onLine,
                    const std::function<bool()> &betweenPieces = {},
                    TextFile::ContentResult *error = nullptr);

} // namespace FastRowSplitter
