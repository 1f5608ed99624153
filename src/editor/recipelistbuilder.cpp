#include "editor/recipelistbuilder.h"

#include "editor/rownormalizer.h"
#include "platform/cp932.h"
#include "platform/textfile.h"
#include "recipe/recordcodec.h"

#include <QElapsedTimer>

namespace RecipeListBuilder {

Result build(const QString &path, const RecipeListFilter &filter,
             const std::function<bool()> &letEventsRun, int sliceMs)
{
    Result result;
    const TextFile::ReadResult file = TextFile::readLines(path);
    if (file.error != TextFile::Error::None)
        return result;
    QElapsedTimer slice;
    slice.start();
    RecipeRecord record;
    int recordNo = 0;
    for (const QByteArray &raw : file.lines) {
        if (raw.startsWith('@'))
            continue;
        ++recordNo;
        if (recordNo == 1)
            continue;
        const QString line = Cp932::decode(raw);
        RecordCodec::splitRecordLine(line, record);
        normalizeRow(record);
        if (filter.listed(record, line))
            result.entries.append({recordNo, RecipeListFilter::entryText(record)});
        if (letEventsRun && slice.elapsed() >= sliceMs) {
            if (!letEventsRun()) {
                result.complete = false;
                return result;
            }
            slice.restart();
        }
    }
    return result;
}

} // namespace RecipeListBuilder
