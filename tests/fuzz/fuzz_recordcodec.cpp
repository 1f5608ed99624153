// The row splitter and writer: any line splits, and writing what was split is
// stable (a row written once reads back to the same row).
#include "fuzzinput.h"
#include "platform/textfile.h"
#include "recipe/recordcodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString line = FuzzInput::text(data, size);
    const RecipeRecord first = RecordCodec::splitRecordLine(line);
    const QString written = RecordCodec::writeRecordLine(
        first, qMax(RecipeRecord::definedFields, first.lastNonEmptyField()));
    if (written.contains(u'\r') || written.contains(u'\n'))
        FuzzInput::fail("a written row is one line", QString(), written);
    const RecipeRecord second = RecordCodec::splitRecordLine(written);
    const QString again = RecordCodec::writeRecordLine(
        second, qMax(RecipeRecord::definedFields, second.lastNonEmptyField()));
    if (again != written)
        FuzzInput::fail("writing a row read back gives the same row", written, again);

    RecordCodec::splitFields(line, false);
    RecordCodec::sortKey(first);
    const QString decoded = RecordCodec::decodeMultiline(line);
    RecordCodec::encodeMultiline(decoded);

    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    TextFile::forEachLine(bytes, [&](qsizetype start, qsizetype length) {
        if (start < 0 || length < 0 || start + length > bytes.size())
            std::abort();
    });
    return 0;
}
