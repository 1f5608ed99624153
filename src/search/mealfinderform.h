#pragma once

#include "recipe/choicelist.h"

#include <QList>
#include <QString>
#include <QStringList>

struct AppState;

// What the meal finder window shows and how its lists react, without
// widgets: the window mirrors these lists and forwards clicks here.
class MealFinderForm
{
public:
    // Marks the search as cancelled (until writeConditions) and fills every
    // list from the vocabulary file.
    void load(AppState &state);

    // A main category was picked: the ingredient list shows that category's
    // items, or every category and item for the empty entry.
    void chooseCategory(int index);

    // A line of the ingredient list was ticked or unticked. A category line
    // (no leading blank) carries its state to its items. Returns the lines
    // whose state changed, the clicked one included.
    QList<int> setLineSelected(int line, bool selected);

    // The conditions the recipe list filters by; also marks the search as requested.
    void writeConditions(AppState &state) const;

    ChoiceList category;  // cmb_zairyo
    ChoiceList purpose;   // cmb_mokuteki
    ChoiceList cuisine;   // cmb_kokuseki
    ChoiceList effort;    // cmb_tema
    ChoiceList cost;      // cmb_cost
    ChoiceList author;    // cmb_name
    ChoiceList keyword;   // cmb_key (typeable)
    ChoiceList eaten;     // cmb_tabeta
    QStringList lines;    // lst_zairyo, items with their leading blank
    QList<bool> selected; // one per line

private:
    QString m_vocabularyPath;
};
