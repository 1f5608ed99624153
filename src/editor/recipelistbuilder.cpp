#include "editor/recipelistbuilder.h"

#include "editor/fastrowsplitter.h"
#include "recipe/recipefilelayout.h"
#include "recipe/recordcodec.h"

#include <QElapsedTimer>

namespace RecipeListBuilder {

Result build(const QString &path, const RecipeListFilter &filter, const RowNormalizer &normalize,
             const std::function<bool()> &letEventsRun, int sliceMs)
{
    Result result;
    QString storage;
    QList<QStringView> lines;
    QElapsedTimer slice;
    slice.start();
    bool stopped = false;
    // Lets events run once a slice has passed; false when asked to stop.
    const auto tick = [&] {
        if (!letEventsRun || slice.elapsed() < sliceMs)
            return true;
        stopped = !letEventsRun();
        slice.restart();
        return !stopped;
    };
    TextFile::ContentResult error;
    if (!FastRowSplitter::readDecodedLines(path, lines, storage, tick, &error)) {
        result.complete = !stopped;
        if (error.error == TextFile::Error::ReadFailed)
            result.readError = error.errorText;
        return result;
    }
    RecipeRecord record;
    int recordNo = RecipeFileLayout::recordNoBeforeFirstLine(lines);
    for (const QStringView line : std::as_const(lines)) {
        if (RecipeFileLayout::isMetadataLine(line))
            continue;
        ++recordNo;
        if (recordNo == 1)
            continue;
        RecordCodec::splitRecordLine(line, record);
        if (normalize)
            normalize(record);
        if (filter.listed(record, line))
            result.entries.append({recordNo, RecipeListFilter::entryText(record),
                                   RecipeFileLayout::rowIdentity(line)});
        if (!tick()) {
            result.complete = false;
            return result;
        }
    }
    return result;
}

} // namespace RecipeListBuilder
