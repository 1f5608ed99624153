#pragma once

#include "platform/settingsfile.h"
#include "print/engine/pagelayout.h"

#include <QString>

#include <array>
#include <cstdint>
#include <memory>

class Clock;

// The process-wide record: paths, version, current recipe file, paper
// number, search conditions, quick-search exchange and the layout in force.
struct AppState
{
    // Start-up
    QString versionText;
    QString programName; // file name of the program without folder and extension
    QString programDir;  // ends in "/"
    QString backupDir;   // programDir + "bak/"
    QString dataDir;     // programDir + "dat/"
    int16_t paperType = 0;
    int16_t imeKanaMode = 0;
    QString vocabularyFileName = QStringLiteral("qvrecipe.txt");
    int16_t showPrintConfirm = 1;

    // Current recipe file as stored in FILE (relative to programDir where possible)
    QString currentRecipeFileName;

    // Meal finder conditions, read by the list view "検索結果"
    QString searchMainCategory;
    QString searchIngredientList;
    std::array<QString, 7>
        searchConditions; // 1 to 6 used: purpose, cuisine, effort, cost, author, keyword
    int16_t searchEatenFilter = 0;

    // Quick search box exchange
    QString quickSearchText;
    int16_t quickSearchResult = -1; // -1 cancelled, 0 new search, 1 next hit
    int16_t quickSearchOwner = 0;

    // Printing
    PageLayout layout;
    int16_t previewMode = 0;

    std::unique_ptr<SettingsFile> settings;
    const Clock *clock = nullptr;

    QString settingsPath() const { return programDir + programName + QStringLiteral(".ini"); }
    QString vocabularyPath() const { return programDir + vocabularyFileName; }
};
