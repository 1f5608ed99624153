#pragma once

#include "analysis/recipetextanalysis.h"

#include <QString>

// Turns free recipe text (from a web page, a mail or this program's own
// export) into entry-field values in one pass over its lines, then guesses
// purpose, cuisine and main ingredient. A pure function of its inputs.
namespace RecipeTextParser {

// Which section the current line belongs to.
enum class State {
    Start = 0,
    Title = 1,
    Preamble = 2,
    Ingredients = 10,
    Method = 20,
    Point = 30,
    Nutrition = 35, // a block of nutrition figures
    Notes = 40,
    SettingsBlock = 50,
};

// currentAuthor is the author shown before the analysis; it is kept unless
// the text names one.
RecipeTextAnalysis parse(const QString &text, const QString &currentAuthor = QString());

} // namespace RecipeTextParser
