#pragma once

#include "analysis/recipetextanalysis.h"
#include "recipe/reciperecord.h"

#include <QString>
#include <QStringList>

#include <functional>

// The items the entry lists offer, for the analysis to choose from. The
// lists with an empty first item hold it here too.
struct EntryLists
{
    QStringList purposes;   // 目的
    QStringList cuisines;   // 国籍
    QStringList efforts;    // 手間
    QStringList costs;      // 費用
    QStringList keywords;   // 特殊
    QStringList authors;    // 作者
    QStringList categories; // 主材料
    int ratings = 0;        // お気入り positions
    int popularities = 0;   // 習熟度 positions
    // The 副材料 items under a category (with their leading blank).
    std::function<QStringList(const QString &category)> wordsOf;

    // The lists as the recipe list window fills them from the vocabulary file.
    static EntryLists fromVocabulary(const QString &vocabularyPath);
};

// The recipe an analysed text describes, as the entry fields are to show it.
namespace AnalysedRecipe {

// Guessed list values become items of their lists or stay empty: a guessed
// category or word is first brought to the vocabulary the way rows read from
// a file are. Values from this program's own settings block are kept as
// stored. The registration date stays empty unless the text gives one.
RecipeRecord record(const RecipeTextAnalysis &analysis, const EntryLists &lists);

// Parses the text and chooses as record() does. currentAuthor is the author
// shown before the analysis; it is kept unless the text names one.
RecipeRecord analyse(const QString &text, const QString &currentAuthor, const EntryLists &lists);

} // namespace AnalysedRecipe
