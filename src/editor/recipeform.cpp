#include "editor/recipeform.h"

#include "platform/clock.h"
#include "print/engine/pagelayout.h"
#include "recipe/recordcodec.h"
#include "recipe/texthelpers.h"

using namespace Qt::StringLiterals;

namespace {

// Txt_biko index → record field
constexpr std::array<int, 13> bikoFields = {
    RecipeRecord::Servings,   RecipeRecord::Remarks,      RecipeRecord::Tips,
    RecipeRecord::Vitamins,   RecipeRecord::Protein,      RecipeRecord::Carbohydrate,
    RecipeRecord::Vegetables, RecipeRecord::Fat,          RecipeRecord::Fruit,
    RecipeRecord::Time,       RecipeRecord::RegisteredOn, RecipeRecord::Salt,
    RecipeRecord::Calories,
};

int indexOf(const QString &text)
{
    return LayoutSettings::toInt32(LayoutSettings::parseNumber(text));
}

} // namespace

QHash<QString, ChoiceList *> RecipeForm::choiceLists()
{
    return {
        {u"Cmb_bunrui11"_s, &Cmb_bunrui11}, {u"cmb_bunrui12"_s, &cmb_bunrui12},
        {u"cmb_jyuyou"_s, &cmb_jyuyou},     {u"cmb_level"_s, &cmb_level},
        {u"cmb_mokuteki"_s, &cmb_mokuteki}, {u"cmb_kokuseki"_s, &cmb_kokuseki},
        {u"cmb_tema"_s, &cmb_tema},         {u"cmb_cost"_s, &cmb_cost},
        {u"cmb_key"_s, &cmb_key},           {u"cmb_name"_s, &cmb_name},
        {u"cmb_aji"_s, &cmb_aji},
    };
}

void RecipeForm::selectByText(ChoiceList &list, const QString &value)
{
    selectOrAddItem(value, list);
}

void RecipeForm::showRecord(const RecipeRecord &r)
{
    using F = RecipeRecord;
    for (ChoiceList *list : choiceLists())
        list->select(0);
    selectByText(Cmb_bunrui11, r.field(F::MainCategory));
    cmb_bunrui12.setText(r.field(F::MainIngredient));
    Txt_key1 = r.field(F::DishName);
    Chk_noprint = r.flag(1);
    Chk_Active = r.flag(2);
    for (int i = 0; i < 5; ++i)
        chk_etc[std::size_t(i)] = r.flag(3 + i);
    cmb_jyuyou.select(indexOf(r.field(F::Rating)));
    cmb_level.select(indexOf(r.field(F::Popularity)));
    txt_yobi[0] = RecordCodec::decodeMultiline(r.field(F::Ingredients));
    txt_yobi[1] = RecordCodec::decodeMultiline(r.field(F::Method));
    txt_yobi[2] = r.field(F::Picture);
    for (std::size_t i = 0; i < bikoFields.size(); ++i) {
        const int n = bikoFields[i];
        Txt_biko[i] =
            RecipeRecord::isMultiline(n) ? RecordCodec::decodeMultiline(r.field(n)) : r.field(n);
    }
    selectByText(cmb_mokuteki, r.field(F::Purpose));
    selectByText(cmb_kokuseki, r.field(F::Cuisine));
    // An effort such as "簡単(10分)" is shown as the list entry "簡単".
    const QString effort = r.field(F::Effort);
    selectByText(cmb_tema, effort.startsWith(u"簡単"_s) ? u"簡単"_s : effort);
    selectByText(cmb_cost, r.field(F::Cost));
    selectByText(cmb_key, r.field(F::Keyword));
    selectByText(cmb_name, r.field(F::Author));
    selectByText(cmb_aji, r.field(F::Taste));
    kept.clear();
    for (int n = 30; n <= RecipeRecord::fieldCount; ++n)
        kept.setField(n, r.field(n));
}

RecipeRecord RecipeForm::toRecord(const Clock &clock) const
{
    using F = RecipeRecord;
    RecipeRecord r = kept;
    for (int n = 1; n <= F::definedFields; ++n)
        r.setField(n, QString());
    r.setField(F::MainCategory, TextHelpers::trimBlanks(Cmb_bunrui11.currentText()));
    r.setField(F::MainIngredient, TextHelpers::trimBlanks(cmb_bunrui12.currentText()));
    r.setField(F::DishName, TextHelpers::trimBlanks(Txt_key1));
    QString flags;
    const bool switches[7] = {Chk_noprint, Chk_Active, chk_etc[0], chk_etc[1],
                              chk_etc[2],  chk_etc[3], chk_etc[4]};
    for (bool on : switches)
        flags += on ? u"1|"_s : u"0|"_s;
    r.setField(F::Flags, flags);
    r.setField(F::Rating, QString::number(qMax(cmb_jyuyou.current, 0)));
    r.setField(F::Popularity, QString::number(qMax(cmb_level.current, 0)));
    r.setField(F::Ingredients, txt_yobi[0]);
    r.setField(F::Method, txt_yobi[1]);
    r.setField(F::Picture, txt_yobi[2]);
    for (std::size_t i = 0; i < bikoFields.size(); ++i)
        r.setField(bikoFields[i], Txt_biko[i]);
    if (r.field(F::RegisteredOn).isEmpty())
        r.setField(F::RegisteredOn, clock.now().date().toString(u"yyyy/MM/dd"_s));
    r.setField(F::Purpose, cmb_mokuteki.currentText());
    r.setField(F::Cuisine, cmb_kokuseki.currentText());
    r.setField(F::Effort, cmb_tema.currentText());
    r.setField(F::Cost, cmb_cost.currentText());
    r.setField(F::Keyword, cmb_key.currentText());
    r.setField(F::Author, cmb_name.currentText());
    r.setField(F::Taste, cmb_aji.currentText());
    return r;
}

void RecipeForm::clearFields()
{
    for (ChoiceList *list : {&Cmb_bunrui11, &cmb_level, &cmb_mokuteki, &cmb_kokuseki, &cmb_tema,
                             &cmb_cost, &cmb_key, &cmb_aji})
        list->select(0);
    cmb_jyuyou.select(3);
    cmb_bunrui12.setText(QString());
    cmb_name.setText(QString());
    Txt_key1.clear();
    for (QString &t : txt_yobi)
        t.clear();
    for (QString &t : Txt_biko)
        t.clear();
    Chk_noprint = false;
    Chk_Active = false;
    chk_etc.fill(false);
    kept.clear();
    shownRecordNo = -1;
}
