#pragma once

#include "recipe/choicelist.h"
#include "recipe/reciperecord.h"

#include <QHash>
#include <QString>

#include <array>

class Clock;

// The entry fields of the recipe list window without widgets: editing
// commands, the text analysis and tests work on this; the window binds its
// controls to it. Members carry the controls' names.
struct RecipeForm
{
    ChoiceList Cmb_bunrui11; // 主材料
    ChoiceList cmb_bunrui12; // 副材料 (typeable)
    ChoiceList cmb_jyuyou;   // お気入り "0".."5"
    ChoiceList cmb_level;    // 習熟度
    ChoiceList cmb_mokuteki; // テーマ (目的)
    ChoiceList cmb_kokuseki; // 国籍
    ChoiceList cmb_tema;     // 手間
    ChoiceList cmb_cost;     // 費用
    ChoiceList cmb_key;      // 特殊 (キーワード, typeable)
    ChoiceList cmb_name;     // 作者 (typeable)
    ChoiceList cmb_aji;      // 味 (field 29)

    QString Txt_key1;                // 料理名
    std::array<QString, 3> txt_yobi; // 材料, 作り方, 添付
    std::array<QString, 13> Txt_biko;
    bool Chk_noprint = false;
    bool Chk_Active = false;
    std::array<bool, 5> chk_etc{};

    RecipeRecord kept; // fields 30 to 200 of the shown record
    int shownRecordNo = -1;
    bool imagePending = false;

    // The lists by control name (for filling from the vocabulary file).
    QHash<QString, ChoiceList *> choiceLists();

    // Fills the fields from a record (every combo first set to its first entry).
    void showRecord(const RecipeRecord &record);
    // The record the fields describe; 登録日 gets today's date when empty.
    RecipeRecord toRecord(const Clock &clock) const;
    // Empties the fields as the clear command does (lists keep their items).
    void clearFields();

    // Selects the entry whose trimmed text equals the trimmed value, adding it
    // when missing ("selected by text").
    static void selectByText(ChoiceList &list, const QString &value);
};
