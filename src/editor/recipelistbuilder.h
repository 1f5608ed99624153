#pragma once

#include "editor/recipelistfilter.h"

#include <QList>
#include <QString>

#include <functional>

// Reads the current recipe file and picks the rows the list shows, in file
// order. Nothing is cached: the list always reflects the file as last read.
namespace RecipeListBuilder {

struct Entry
{
    int recordNo; // position among the non-metadata lines, header = 1
    QString text;
    size_t row = 0; // RecipeFileLayout::rowIdentity of the row
};

struct Result
{
    QList<Entry> entries;
    bool complete = true; // false when letEventsRun asked to stop
    // Why a file that exists could not be read (a folder, a pipe, too large,
    // a read error); empty when it was read or is simply missing.
    QString readError;
};

// Brings a row just read to the current vocabulary before it is tested.
using RowNormalizer = std::function<void(RecipeRecord &)>;

// Every row goes through normalize (when set) before the filter sees it; both
// see the fields up to RecipeListFilter::lastFieldNeeded() (at least the
// three first), the others stay empty.
// letEventsRun is called whenever about sliceMs have passed, so the window
// can process its events; returning false abandons the build. A missing or
// unreadable file gives an empty list (and readError for the latter).
Result build(const QString &path, const RecipeListFilter &filter,
             const RowNormalizer &normalize = {}, const std::function<bool()> &letEventsRun = {},
             int sliceMs = 25);

} // namespace RecipeListBuilder
