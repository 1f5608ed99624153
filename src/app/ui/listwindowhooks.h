#pragma once

#include "editor/ui/recipelistwindow.h"

// The commands of the recipe list window that live elsewhere: the file
// commands, the text analysis, the meal finder, the card viewer, the author
// list and printing.
ListWindowHooks makeListWindowHooks();
