#pragma once

#include "platform/widgets/messageboxprompts.h"
#include "platform/widgets/qtclipboard.h"
#include "platform/widgets/qtfiledialogs.h"
#include "recipe/recipefilecommands.h"
#include "recipe/recipefilehost.h"

class RecipeListWindow;

// Connects the recipe file commands to the recipe list window: its file
// buttons run them, and they rebuild, select and show through the window.
class ListFileCommands : public RecipeFileHost
{
public:
    explicit ListFileCommands(RecipeListWindow &window);

    RecipeFileCommands &commands() { return m_commands; }

    void setBusy(bool busy) override;
    void processEvents() override;
    int rebuildList() override;
    std::optional<RecipeRecord> shownRecord(QString *refusal) const override;
    void showSearchHit(int recordNo) override;
    int askSearchText(QString &text) override;

private:
    RecipeListWindow &m_window;
    MessageBoxPrompts m_prompts;
    QtFileDialogs m_dialogs;
    QtClipboard m_clipboard;
    RecipeFileCommands m_commands;
};
