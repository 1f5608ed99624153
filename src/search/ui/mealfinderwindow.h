#pragma once

#include "search/finderhints.h"
#include "search/mealfinderform.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QListWidget;
class QTimer;
struct AppState;

// The meal finder ("検索"): collects the search conditions and stores them
// in AppState when "何食べたい？" is pressed. Closing it any other way leaves
// quickSearchResult at -1 (cancelled).
//
// Entry point for the recipe list window's cmd_serch:
//     if (runMealFinder(state, this)) { ...rebuild the list in view "検索結果"... }
class MealFinderWindow : public QDialog
{
    Q_OBJECT
public:
    MealFinderWindow(AppState &state, QWidget *parent = nullptr);

    const MealFinderForm &form() const { return m_form; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QComboBox *addCombo(const char16_t *name, const ChoiceList &list, bool typeable);
    void fillIngredientList();
    void syncIngredientSelection();
    void search();

    AppState &m_state;
    MealFinderForm m_form;
    FinderHints m_hints;
    QComboBox *m_category = nullptr;
    QComboBox *m_purpose = nullptr;
    QComboBox *m_cuisine = nullptr;
    QComboBox *m_effort = nullptr;
    QComboBox *m_cost = nullptr;
    QComboBox *m_author = nullptr;
    QComboBox *m_keyword = nullptr;
    QComboBox *m_eaten = nullptr;
    QListWidget *m_ingredients = nullptr;
    QLabel *m_help = nullptr;
    QTimer *m_timer = nullptr;
    bool m_changingSelection = false;
    bool m_placed = false;
};

// Shows the meal finder modally; true when a search was requested.
bool runMealFinder(AppState &state, QWidget *parent);
