#include "print/recipepagetexts.h"

#include "recipe/reciperecord.h"
#include "recipe/texthelpers.h"

namespace RecipePageTexts {

namespace {

// The label and the value padded with blanks to seven characters, then the
// second label and value unless that value is empty.
QString paddedPair(const QString &label, const QString &value, const QString &secondLabel,
                   const QString &secondValue)
{
    QString line = label + (value + QString(7, u' ')).left(7);
    if (!secondValue.isEmpty())
        line += secondLabel + secondValue;
    return line;
}

} // namespace

QString effortLine(const RecipeRecord &r)
{
    return paddedPair(effortLabel, r.field(RecipeRecord::Effort), timeLabel,
                      r.field(RecipeRecord::Time));
}

QString calorieLine(const RecipeRecord &r)
{
    return paddedPair(calorieLabel, r.field(RecipeRecord::Calories), saltLabel,
                      r.field(RecipeRecord::Salt));
}

QString servingsText(const QString &servings)
{
    return TextHelpers::isNumber(servings) ? servingsOpen + servings + servingsPeople
                                           : servingsOpen + servings + servingsClose;
}

QString categoryTitle(const QString &categoryLabel)
{
    return recipeTitle + categoryOpen + categoryLabel + categoryClose;
}

} // namespace RecipePageTexts
