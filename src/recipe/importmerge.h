#pragma once

#include "recipe/reciperecord.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Merges the rows of an import file into the rows of the current file. Both
// are expected in key order; rows out of order are still all written. Rows
// are written exactly as read, so bytes that do not survive decoding (NEC and
// IBM duplicates, damaged bytes) stay as they were.
namespace ImportMerge {

struct Result
{
    QList<QByteArray> lines; // the new file, without line ends
    int added = 0;
    int updated = 0;
    int kept = 0;
    int total() const { return kept + updated + added; }
};

// Field 1, 2 and 3 trimmed, padded and cut to 20, 20 and 50 bytes at two
// bytes a character, then the author: an import row replaces a row only when
// all four agree.
QString mergeKey(const RecipeRecord &record);

Result merge(const QList<QByteArray> &oldLines, const QList<QByteArray> &importLines);

} // namespace ImportMerge
