#pragma once

#include <QString>

struct AppState;
class Prompts;

// Chooses the current recipe file when the list window loads (FILE, the
// default file made from the sample when needed, the weekday backup) and
// returns its full path.
QString openCurrentRecipeFile(AppState &state, Prompts &prompts);
