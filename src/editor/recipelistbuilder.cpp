#include "editor/recipelistbuilder.h"

#include "editor/fastrowsplitter.h"
#include "platform/cp932.h"
#include "recipe/recipefilelayout.h"
#include "recipe/recordcodec.h"

#include <QElapsedTimer>

namespace RecipeListBuilder {

Result build(const QString &path, const RecipeListFilter &filter, const RowNormalizer &normalize,
             const std::function<bool()> &letEventsRun, int sliceMs)
{
    Result result;
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
    // Only the fields the filter and the list text look at (and the category
    // fields the normaliser brings to the vocabulary) are split out, and only
    // the bytes that hold them are decoded.
    const int fields = qMax<int>(RecipeRecord::DishName, filter.lastFieldNeeded());
    const bool wholeRow = filter.needsWholeRow();
    RecipeRecord record;
    Cp932::Decoder decoder;
    QString text;
    const auto decode = [&](QByteArrayView bytes) {
        if (!decoder.decodeSound(bytes, text))
            text = decoder.decode(bytes);
    };
    int recordNo = -1; // known at the first line that is not metadata
    TextFile::ContentResult error;
    const bool read = FastRowSplitter::forEachRawLine(
        path,
        [&](QByteArrayView line) {
            if (RecipeFileLayout::isMetadataLine(line))
                return true;
            if (recordNo < 0) {
                decode(line);
                recordNo = RecipeFileLayout::recordNoBeforeFirstLine(QList<QStringView>{text});
            }
            ++recordNo;
            if (recordNo == 1)
                return true;
            decode(wholeRow ? line : line.first(RecordCodec::leadingFieldsEnd(line, fields)));
            RecordCodec::splitLeadingFields(text, record, fields);
            if (normalize)
                normalize(record);
            if (filter.listed(record, wholeRow ? QStringView(text) : QStringView()))
                result.entries.append({recordNo, RecipeListFilter::entryText(record),
                                       RecipeFileLayout::rowIdentity(line)});
            return tick();
        },
        tick, &error);
    if (!read) {
        // A file that could not be read whole lists nothing.
        if (!stopped)
            result.entries.clear();
        result.complete = !stopped;
        if (error.error == TextFile::Error::ReadFailed)
            result.readError = error.errorText;
    }
    return result;
}

} // namespace RecipeListBuilder
