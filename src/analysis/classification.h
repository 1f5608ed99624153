#pragma once

#include "recipe/reciperecord.h"

#include <QString>

// What the analysis guesses about a dish. Each value is either set by a rule
// or left as it was.
struct DishClassification
{
    QString purpose;  // 目的
    QString cuisine;  // 国籍
    QString category; // 主材料
    QString word;     // 副材料

    bool operator==(const DishClassification &) const = default;
};

// Applies the dish-name rules; the first matching rule sets its outputs.
void classifyDish(const QString &dishName, DishClassification &result);

// Applies the main-ingredient rules to a text. On a match the category and
// usually the word are set; otherwise both stay as they were.
void classifyMainIngredient(const QString &text, QString &category, QString &word);

// The same rules on a dish name, where the ingredient named first decides
// ("なすと豚肉のみそ炒め" is a dish of aubergine); between keywords at the
// same place the rule order decides, as it does for a text.
void classifyMainIngredientOfName(const QString &name, QString &category, QString &word);

// The same rules line by line, in the order of the lines: the first line
// that names a main ingredient decides (the main ingredient is listed
// first; a seasoning further down does not override it).
void classifyMainIngredientByLine(const QString &ingredients, QString &category, QString &word);

// The text holds a word the dish or main-ingredient rules know.
bool mentionsDishOrIngredient(const QString &text);

// Brings the category columns (fields 1 to 3) of a row just read to the
// current vocabulary.
void normalizeCategoryFields(RecipeRecord &record);
