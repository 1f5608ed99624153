#include "editor/ui/currentrecipefile.h"

#include "app/appstate.h"
#include "platform/programfolder.h"
#include "recipe/recipefilecommands.h"
#include "recipe/recipefilehost.h"

QString openCurrentRecipeFile(AppState &state, Prompts &prompts)
{
    NoWindowHost host;
    RecipeFileContext c;
    c.programDir = state.programDir.isEmpty() ? ProgramFolder::path() : state.programDir;
    c.backupDir =
        state.backupDir.isEmpty() ? c.programDir + QStringLiteral("bak/") : state.backupDir;
    c.currentFileName = &state.currentRecipeFileName;
    c.settings = state.settings.get();
    c.prompts = &prompts;
    c.clock = state.clock;
    c.host = &host;
    RecipeFileCommands commands(c);
    commands.openAtLoad();
    return commands.currentPath();
}
