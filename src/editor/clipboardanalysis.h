#pragma once

#include <QString>

struct EntryLists;
struct RecipeForm;

// The text analysis command of the recipe list window ("ｸﾘｯﾌﾟﾎﾞｰﾄﾞ解析")
// on the entry fields. Nothing is stored to a file.
namespace ClipboardAnalysis {

// Clears the fields as the clear command does, keeping the author, analyses
// the text and shows the recipe it describes. Blank or missing text does
// nothing and gives false. vocabularyPath is the vocabulary file the 副材料
// list is refilled from (empty: the list keeps its items).
bool analyseText(const QString &text, RecipeForm &form, const QString &vocabularyPath);

// The items the form's lists offer the analysis.
EntryLists entryLists(const RecipeForm &form, const QString &vocabularyPath);

// Fills the lists of the fields as the recipe list window does when it
// loads: the vocabulary lists, 0 to 5 for お気入り, the categories of
// "[材料]", "[人気]" and "[味]".
void fillEntryLists(RecipeForm &form, const QString &vocabularyPath);

// Refills the 副材料 list with the items under the selected 主材料.
void refillWords(RecipeForm &form, const QString &vocabularyPath);

} // namespace ClipboardAnalysis
