#include "app/ui/listwindowhooks.h"

#include "app/appstate.h"
#include "app/ui/helpwindow.h"
#include "app/ui/listfilecommands.h"
#include "editor/clipboardanalysis.h"
#include "print/ui/printrunner.h"
#include "search/ui/authorlistwindow.h"
#include "search/ui/mealfinderwindow.h"
#include "viewer/ui/cardviewerwindow.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QListWidget>

using namespace Qt::StringLiterals;

namespace {

ListWindowHooks::Command fileCommand(void (RecipeFileCommands::*command)())
{
    return [command](RecipeListWindow &window) {
        ListFileCommands adapter(window);
        (adapter.commands().*command)();
    };
}

void analyseClipboard(RecipeListWindow &window)
{
    const QClipboard *clipboard = QGuiApplication::clipboard();
    const QString text = clipboard ? clipboard->text() : QString();
    if (text.trimmed().isEmpty())
        return;
    // The clear command empties the author too; the analysis keeps it.
    RecipeForm &form = window.form();
    const QString author = form.cmb_name.currentText();
    window.editor().clear();
    form.cmb_name.setText(author);
    ClipboardAnalysis::analyseText(text, form, window.state().vocabularyPath());
    window.pushForm();
}

void showCards(RecipeListWindow &window)
{
    CardViewerSession session;
    QListWidget *list = window.list();
    for (int i = 0; i < list->count(); ++i)
        session.entries.append({list->item(i)->data(Qt::UserRole).toInt(), list->item(i)->text()});
    session.selected = window.selectedRecordNo() < 0 ? -1 : list->currentRow();
    session.recipeFile = window.recipeFile();
    session.selectionChanged = [list](int position) {
        if (position < 0)
            list->clearSelection();
        else
            list->setCurrentRow(position);
    };
    session.openRecipe = [&window](int recordNo) {
        if (window.selectRecord(recordNo))
            window.showSelected();
    };
    showCardViewer(std::move(session), &window);
}

// The print controls and the recipe file go to the print job.
void print(RecipeListWindow &window)
{
    const PrintControls controls = window.printControls();
    PrintJobInput input;
    input.layoutType = controls.layoutType;
    input.arrangement = controls.arrangement;
    input.startRecord = controls.startRecord;
    input.categoryLabel = controls.categoryLabel;
    input.recipeFile = window.recipeFile();
    PrintRunner::Services services;
    services.prompts = &window.prompts();
    PrintRunner::run(&window, window.state(), services, input);
}

} // namespace

ListWindowHooks makeListWindowHooks()
{
    ListWindowHooks hooks;
    hooks.fileRead = fileCommand(&RecipeFileCommands::switchFile);
    hooks.fileWrite = fileCommand(&RecipeFileCommands::newFile);
    hooks.fileImport = fileCommand(&RecipeFileCommands::importFile);
    hooks.fileExport = fileCommand(&RecipeFileCommands::exportShown);
    hooks.fileSearch = fileCommand(&RecipeFileCommands::search);
    hooks.analyse = &analyseClipboard;
    hooks.authorList = [](RecipeListWindow &window) { openAuthorList(window.state(), &window); };
    hooks.mealFinder = [](RecipeListWindow &window) {
        return runMealFinder(window.state(), &window);
    };
    hooks.cardViewer = &showCards;
    hooks.openHelp = [](RecipeListWindow &window) {
        Help::open(window.state(), u"HELP_PAGE"_s, &window);
    };
    hooks.print = &print;
    return hooks;
}
