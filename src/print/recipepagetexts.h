#pragma once

#include <QString>

class RecipeRecord;

// The fixed texts of a printed recipe page.
namespace RecipePageTexts {

using namespace Qt::StringLiterals;

inline const QString ingredientSeparator = u"、"_s;
inline const QString purposeLabel = u"目的:"_s;
inline const QString cuisineLabel = u"国籍:"_s;
inline const QString costLabel = u"費用:"_s;
inline const QString keywordLabel = u"特殊:"_s;
inline const QString authorLabel = u"作者:"_s;
inline const QString effortLabel = u"手間:"_s;
inline const QString timeLabel = u"時間:"_s;
inline const QString calorieLabel = u"ｶﾛﾘｰ:"_s;
inline const QString saltLabel = u"塩分:"_s;
inline const QString servingsOpen = u"( "_s;
inline const QString servingsPeople = u"人分 )"_s;
inline const QString servingsClose = u" )"_s;
inline const QString ingredientsHeading = u"【材料/分量】    "_s;
inline const QString methodHeading = u"【作り方】"_s;
inline const QString pointHeading = u"【ポイント】"_s;
inline const QString remarksHeading = u"【備考】"_s;
inline const QString recipeTitle = u"RECIPE"_s;
inline const QString categoryOpen = u" ["_s;
inline const QString categoryClose = u"]"_s;

// The attribute column's lines that pad their first value: "手間:" with 手間
// padded to seven characters, then "時間:" and 時間 when there is one; the
// same for カロリー and 塩分.
QString effortLine(const RecipeRecord &record);
QString calorieLine(const RecipeRecord &record);
// "( 4人分 )" for a number of servings, "( 2～3 )" for anything else.
QString servingsText(const QString &servings);
// The title band of the pages that list several recipes.
QString categoryTitle(const QString &categoryLabel);

} // namespace RecipePageTexts
