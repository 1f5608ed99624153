#pragma once

#include <QString>

#include <optional>

// What a print run from the command line asks for, as read from it.
struct PrintOptions
{
    bool pdf = false; // else a printer
    QString target;   // the PDF file or the printer's name
    int layout = 1;
    std::optional<int> arrangement; // else from the paper
    std::optional<int> paper;       // else the settings file's
    std::optional<int> from;        // the first recipe, counted from 1
    QString recipeFile;             // else the current recipe file
    bool alignment = false;         // the paper's alignment sheet instead of recipes

    bool operator==(const PrintOptions &) const = default;
};
