#include "app/ui/listfilecommands.h"

#include "app/appstate.h"
#include "editor/ui/recipelistwindow.h"
#include "platform/programfolder.h"
#include "search/qvprints.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QListWidget>

static RecipeFileContext contextFor(RecipeListWindow &window, RecipeFileHost &host,
                                    Prompts &prompts, FileDialogs &dialogs,
                                    TextClipboard &clipboard)
{
    AppState &state = window.state();
    RecipeFileContext c;
    c.programDir = state.programDir;
    c.backupDir = state.backupDir;
    c.currentFileName = &state.currentRecipeFileName;
    c.settings = state.settings.get();
    c.prompts = &prompts;
    c.dialogs = &dialogs;
    c.clipboard = &clipboard;
    c.clock = state.clock;
    c.host = &host;
    return c;
}

ListFileCommands::ListFileCommands(RecipeListWindow &window)
    : m_window(window), m_prompts(&window), m_dialogs(&window),
      m_commands(contextFor(window, *this, m_prompts, m_dialogs, m_clipboard))
{}

void ListFileCommands::setBusy(bool busy)
{
    m_window.setEnabled(!busy);
    if (busy)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}

void ListFileCommands::processEvents()
{
    QCoreApplication::processEvents();
}

int ListFileCommands::rebuildList()
{
    const QString path = ProgramFolder::resolve(m_window.state().currentRecipeFileName);
    if (path != m_window.recipeFile())
        m_window.setRecipeFile(path);
    m_window.rebuildList();
    return m_window.list()->count();
}

std::optional<RecipeRecord> ListFileCommands::shownRecord(QString *refusal) const
{
    return m_window.editor().shownRecordFromFile(refusal);
}

void ListFileCommands::showSearchHit(int recordNo)
{
    m_window.setView(1);
    m_window.selectRecord(recordNo);
    m_window.showSelected();
    m_window.list()->setFocus();
}

int ListFileCommands::askSearchText(QString &text)
{
    return QvprintS::ask(m_window.state(), m_clipboard, m_window.window(), text);
}
