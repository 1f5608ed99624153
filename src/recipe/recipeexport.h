#pragma once

#include "recipe/reciperecord.h"

#include <QString>

// The plain-text layout of one recipe used for the clipboard export (and read
// back by the text analysis). CR LF line ends.
namespace RecipeExport {
QString exportText(const RecipeRecord &record);
}
