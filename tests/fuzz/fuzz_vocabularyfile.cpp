// The vocabulary file: any content reads, whatever section and filter.
#include "fuzzinput.h"
#include "recipe/vocabularyfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QString path = FuzzInput::scratchFile("qvrecipe.txt");
    FuzzInput::writeScratch(path, data, size);
    const QString materials = QStringLiteral("[材料]");
    for (const QString &filter : {QString(), QStringLiteral("全て"), QStringLiteral("肉")})
        VocabularyFile::readVocabularySection(path, materials, filter);
    VocabularyFile::readVocabularySection(path, QStringLiteral("[目的]"));
    return 0;
}
