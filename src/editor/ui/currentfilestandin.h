#pragma once

#include <QString>

struct AppState;

// Chooses the current recipe file when the list window loads: the file named
// by FILE, or "QVRECIPE.csv", made from the sample rows when it is missing.
// A minimal version; the full file commands replace it.
QString chooseCurrentRecipeFileStandIn(AppState &state);
