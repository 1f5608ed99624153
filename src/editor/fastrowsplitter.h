#pragma once

#include "platform/textfile.h"
#include "recipe/reciperecord.h"

#include <QList>
#include <QString>
#include <QStringView>

#include <functional>

// The list is rebuilt from the whole file after every change, so reading a
// large file must be quick. This gives exactly what Cp932 gives line by line,
// only faster for the common case.
namespace FastRowSplitter {

// The file's lines decoded (CP932), split as TextFile::splitLines splits the
// bytes; the views point into storage. Decodes the whole file in large
// chunks, calling betweenChunks after each (returning false abandons the
// read); a file with invalid bytes is decoded line by line, as Cp932::decode
// does. False when the file cannot be read (*error says why) or the read was
// abandoned.
bool readDecodedLines(const QString &path, QList<QStringView> &lines, QString &storage,
                      const std::function<bool()> &betweenChunks = {},
                      TextFile::ContentResult *error = nullptr);

} // namespace FastRowSplitter
