#pragma once

#include "recipe/reciperecord.h"

#include <QString>

#include <optional>

// What the file commands need from the recipe list window.
class RecipeFileHost
{
public:
    virtual ~RecipeFileHost() = default;

    // Disables the window and shows the busy pointer, or undoes that.
    virtual void setBusy(bool busy) = 0;
    // Lets pending window events run.
    virtual void processEvents() {}
    // Rebuilds the list from the current file; returns its number of entries.
    virtual int rebuildList() = 0;
    // The record shown in the entry fields as the file holds it; nullopt when
    // none is shown, or, with *refusal saying why, when its row is no longer
    // in the file as it was shown.
    virtual std::optional<RecipeRecord> shownRecord(QString *refusal) const = 0;
    // Selects the unfiltered view, selects and shows the record with this
    // number and focuses the list.
    virtual void showSearchHit(int recordNo) = 0;
    // Shows the quick search box modally with `text`; afterwards `text` holds
    // what the box kept. Returns -1 (cancelled), 0 (new search) or 1 (next hit).
    virtual int askSearchText(QString &text) = 0;
};

// For commands run without a window (choosing the file at load, scripts and
// tests): no list, no shown record, no prompts.
class NoWindowHost : public RecipeFileHost
{
public:
    void setBusy(bool) override {}
    int rebuildList() override { return 0; }
    std::optional<RecipeRecord> shownRecord(QString *) const override { return std::nullopt; }
    void showSearchHit(int) override {}
    int askSearchText(QString &) override { return -1; }
};
