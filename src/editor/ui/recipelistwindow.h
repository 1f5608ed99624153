#pragma once

#include "editor/recipeeditor.h"
#include "editor/recipeform.h"
#include "editor/recipelistfilter.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <functional>

struct AppState;
class Clock;
class FormBinding;
class Prompts;
class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class TabStrip;

class RecipeListWindow;

// What the print controls say when Cmd_print is pressed.
struct PrintControls
{
    int layoutType = 1;    // Cmb_Type position + 1
    int arrangement = 0;   // Cmb_men position
    int startRecord = -1;  // "選択行より": the selected entry's record number
    QString categoryLabel; // Cmb_bunrui21, trimmed
};

// The commands of the window that other parts of the program carry out. Each
// button click calls its hook; a missing hook makes the button do nothing.
struct ListWindowHooks
{
    using Command = std::function<void(RecipeListWindow &)>;
    Command fileRead;   // Cmd_FileRead
    Command fileWrite;  // Cmd_FileWrite
    Command fileImport; // Cmd_Fileimport
    Command fileExport; // Cmd_FileExport
    Command fileSearch; // Cmd_FileSearch
    Command analyse;    // Cmd_kaiseki
    Command authorList; // cmd_name
    Command print;      // Cmd_print, once the window found something to print
    Command openHelp;   // the usage page offered by Cmd_help
    // The meal finder, modal; true when the user asked for a search (the
    // conditions are then in AppState), false when it was cancelled.
    std::function<bool(RecipeListWindow &)> mealFinder;
    // The card viewer, modal, over the entries of list().
    Command cardViewer;
    // The file dialog of cmd_gazo; returns the chosen path or empty. Unset:
    // the standard open dialog.
    std::function<QString(RecipeListWindow &, const QString &startPath)> chooseImageFile;
};

// The recipe list window (QVPRNLST): the filtered list of the current recipe
// file on the left, one recipe's entry fields, its picture and the print
// controls on the right.
//
// Control arrays are named "<name>_<index>": "Cmd_Update_0" to
// "Cmd_Update_4", "Label2_<n>", "Picture1_0", "Picture1_1", and the entry
// fields as FormBinding names them.
class RecipeListWindow : public QWidget
{
    Q_OBJECT
public:
    RecipeListWindow(AppState &state, Prompts &prompts, const Clock &clock,
                     ListWindowHooks hooks = {}, QWidget *parent = nullptr);
    ~RecipeListWindow() override;

    ListWindowHooks &hooks() { return m_hooks; }
    AppState &state() { return m_state; }
    Prompts &prompts() { return m_prompts; }
    RecipeForm &form() { return m_form; }
    RecipeEditor &editor() { return m_editor; }
    QListWidget *list() const { return m_list; }

    // The current recipe file (absolute path). Changing it empties the entry
    // fields; the caller rebuilds the list.
    QString recipeFile() const { return m_editor.recipeFile(); }
    void setRecipeFile(const QString &path);

    // Rebuilds List1 from the file with the chosen view; selects the entry of
    // the shown recipe. Returns at once while the window is loading.
    void rebuildList();
    // Selects the view entry of Cmb_bunrui21 (0 "検索結果", 1 "全て", ...) and
    // runs its change handler even when it was already selected.
    void setView(int index);
    // Selects the list entry of a record number; false when it is not listed.
    bool selectRecord(int recordNo);
    // A hit of the find command: the unfiltered view, the hit's entry
    // selected and shown, the list focused. False when it is not listed.
    bool showSearchHit(int recordNo);
    // The record number of the selected entry, -1 when none.
    int selectedRecordNo() const;
    // Cmd_Update(index): 0 show, 1 add, 2 update, 3 delete, 4 clear.
    void runCommand(int index);
    void showSelected() { runCommand(0); }
    // Shows the form's content in the entry fields (after a command filled it).
    void pushForm();
    // The entry fields' picture: shown fitted in Pic2, or cleared when path is empty.
    void showPicture(const QString &path);
    QImage shownPicture() const { return m_shownPicture; }
    QRect shownPictureRect() const { return m_shownPictureRect; }

    // The rows the current view lists (the row test the list is built with).
    RecipeListFilter currentFilter() const;

    PrintControls printControls() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool event(QEvent *event) override;

private:
    void buildControls();
    void load();
    void fillCombos();
    void viewChosen();
    void refillSubcategories(bool keepText);
    void fillDuplexModes();
    void print();
    void showPage(int tab);
    void mealFinder();
    void cardViewer();
    void attachPicture();
    void pastePicture();
    void showHelp();
    void jumpGroup(bool forward, bool thenShow);
    QPushButton *button(const QString &name, const QString &caption);

    // The identity of the row an entry shows.
    size_t rowOf(const QListWidgetItem *item) const;

    AppState &m_state;
    Prompts &m_prompts;
    RecipeForm m_form;
    RecipeEditor m_editor;
    ListWindowHooks m_hooks;
    FormBinding *m_binding = nullptr;

    QComboBox *m_view = nullptr;   // Cmb_bunrui21
    QComboBox *m_second = nullptr; // Cmb_bunrui22
    QListWidget *m_list = nullptr; // List1
    // Row identities of m_list's entries, in list order: kept beside the
    // list rather than as item data, which costs a model change per entry.
    QList<size_t> m_entryRows;
    QLabel *m_pic1 = nullptr;
    QLabel *m_pic2 = nullptr;
    TabStrip *m_tabs = nullptr;         // Picture3
    std::array<QWidget *, 2> m_pages{}; // Picture1
    QComboBox *m_type = nullptr;        // Cmb_Type
    QComboBox *m_men = nullptr;         // Cmb_men
    QCheckBox *m_selectStart = nullptr; // chk_selctstart
    QPushButton *m_serch = nullptr;     // cmd_serch
    QImage m_shownPicture;
    QRect m_shownPictureRect;

    int m_listLoading = 0;
    bool m_rebuilding = false;
    bool m_rebuildAgain = false;
    QString m_readErrorShown; // told once, not at every rebuild
};
