#pragma once

#include <QString>

// What the analysis of one recipe text found, ready for the entry fields.
// Multi-line values use CR LF. Empty means not found.
struct RecipeTextAnalysis
{
    QString dishName;     // Txt_key1
    QString ingredients;  // txt_yobi(0)
    QString method;       // txt_yobi(1)
    QString imageFile;    // txt_yobi(2)
    QString servings;     // Txt_biko(0)
    QString notes;        // Txt_biko(1)
    QString point;        // Txt_biko(2)
    QString vitamin;      // Txt_biko(3)
    QString protein;      // Txt_biko(4)
    QString carbohydrate; // Txt_biko(5)
    QString vegetables;   // Txt_biko(6)
    QString fat;          // Txt_biko(7)
    QString fruit;        // Txt_biko(8)
    QString time;         // Txt_biko(9)
    QString registeredOn; // Txt_biko(10)
    QString salt;         // Txt_biko(11)
    QString calories;     // Txt_biko(12)
    QString author;       // cmb_name
    QString purpose;      // cmb_mokuteki
    QString cuisine;      // cmb_kokuseki
    QString cost;         // cmb_cost
    QString effort;       // cmb_tema
    QString special;      // cmb_key
    QString category;     // Cmb_bunrui11
    QString word;         // cmb_bunrui12
    QString importance;   // cmb_jyuyou position
    QString popularity;   // cmb_level position
    QString flags;        // "0|1|0|..." check boxes

    // The text held this program's own settings block: its values are
    // stored values, not guesses.
    bool fromSettingsBlock = false;

    bool operator==(const RecipeTextAnalysis &) const = default;
};
