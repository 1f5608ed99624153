// The recipe text parser on any text.
#include "analysis/recipetextparser.h"
#include "fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    RecipeTextParser::parse(FuzzInput::text(data, size), QStringLiteral("自分"));
    return 0;
}
