#pragma once

#include "recipe/reciperecord.h"

#include <QString>
#include <QStringList>

#include <array>

// Which rows of the recipe file the list shows: the view chosen in
// Cmb_bunrui21, the second filter of Cmb_bunrui22, and for the view
// "検索結果" the meal finder's conditions.
struct RecipeListFilter
{
    QString view;         // trimmed text of the view entry
    QString secondFilter; // trimmed text of the second filter entry
    // Every entry of the second filter list (for "その他": rows whose 副材料
    // is none of them).
    QStringList secondEntries;

    // Meal finder conditions (empty = no test).
    QString mainCategory;
    QString ingredientList;            // each ingredient followed by ","
    std::array<QString, 7> conditions; // 1 to 5 purpose, cuisine, effort, cost, author; 6 keyword
    int eatenFilter = 0;               // 0 none, 1 eaten, 2 not eaten, 3 trial

    static const QString searchView;    // "検索結果"
    static const QString allView;       // "全て"
    static const QString genreView;     // "ジャンル"
    static const QString favouriteView; // "お気入"
    static const QString otherEntry;    // "その他"

    // Whether a row (already normalised) is listed; rawLine is the row as
    // read, for the keyword test.
    bool listed(const RecipeRecord &record, QStringView rawLine) const;

    // The highest field number listed() and entryText() look at; the list
    // splits no more of a row.
    int lastFieldNeeded() const;

    // Whether listed() looks at the whole row as read (the keyword test);
    // otherwise it needs no more than the fields.
    bool needsWholeRow() const { return view == searchView && !conditions[6].isEmpty(); }

    bool passesSearch(const RecipeRecord &record, QStringView rawLine) const;

    // The list text of a row: 主材料, TAB, a blank, 料理名.
    static QString entryText(const RecipeRecord &record);
    // The entry a group jump from `current` lands on: forward, the first
    // entry below whose text before the TAB differs; backward, the nearest
    // such entry above. `current` itself when there is none, or when the
    // current entry has no TAB after its first character.
    static int groupJump(const QStringList &entries, int current, bool forward);
};
