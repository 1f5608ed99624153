#pragma once

#include "analysis/recipetextanalysis.h"

#include <QString>

struct RecipeForm;

// The text analysis command of the recipe list window ("ｸﾘｯﾌﾟﾎﾞｰﾄﾞ解析")
// on the entry fields. Nothing is stored to a file.
namespace ClipboardAnalysis {

// Clears the fields as the clear command does, keeping the author, analyses
// the text and fills the fields. Blank or missing text does nothing and gives
// false. vocabularyPath is the vocabulary file the 副材料 list is refilled from
// when a 主材料 is selected (empty: the list keeps its items).
bool analyseText(const QString &text, RecipeForm &form, const QString &vocabularyPath);

// Fills cleared fields from an analysis. A guessed purpose, cuisine, effort,
// category or word is selected only when it is an item of its list; values
// from this program's own settings block are always kept (added to the list
// when missing), as showing the stored recipe would.
void applyAnalysis(const RecipeTextAnalysis &analysis, RecipeForm &form,
                   const QString &vocabularyPath);

// Fills the lists of the fields as the recipe list window does when it
// loads: the vocabulary lists, 0 to 5 for お気入り, the categories of
// "[材料]", "[人気]" and "[味]".
void fillEntryLists(RecipeForm &form, const QString &vocabularyPath);

// Refills the 副材料 list with the items under the selected 主材料.
void refillWords(RecipeForm &form, const QString &vocabularyPath);

} // namespace ClipboardAnalysis
