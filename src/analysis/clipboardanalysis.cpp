#include "analysis/clipboardanalysis.h"

#include "analysis/recipetextparser.h"
#include "editor/recipeform.h"
#include "recipe/vocabularyfile.h"

using namespace Qt::StringLiterals;

namespace {

enum class Compare { Exact, Trimmed };

// Selects the first item equal to the value; false when there is none.
bool selectExisting(ChoiceList &list, const QString &value, Compare compare)
{
    const QString wanted = compare == Compare::Trimmed ? value.trimmed() : value;
    for (qsizetype i = 0; i < list.items.size(); ++i) {
        const QString item =
            compare == Compare::Trimmed ? list.items.at(i).trimmed() : list.items.at(i);
        if (item == wanted) {
            list.select(int(i));
            return true;
        }
    }
    return false;
}

// A guess selects an existing item only; a stored value is never dropped.
void selectValue(ChoiceList &list, const QString &value, Compare compare, bool stored)
{
    if (value.isEmpty() || selectExisting(list, value, compare))
        return;
    if (stored)
        selectOrAddItem(value, list);
}

// A typeable list: the matching item, or else the text itself.
void setListText(ChoiceList &list, const QString &value)
{
    if (value.isEmpty() || selectExisting(list, value, Compare::Trimmed))
        return;
    list.setText(value);
}

// Leading decimal digits, as a lenient number read.
int leadingNumber(const QString &text)
{
    const QString t = text.trimmed();
    qsizetype n = 0;
    while (n < t.size() && n < 9 && t.at(n).isDigit() && t.at(n).unicode() < 128)
        ++n;
    return n == 0 ? 0 : t.left(n).toInt();
}

void selectPosition(ChoiceList &list, const QString &value)
{
    if (value.isEmpty())
        return;
    const int position = leadingNumber(value);
    // A position beyond the list would leave no entry selected: keep the cleared one.
    if (position < list.items.size())
        list.select(position);
}

bool flagAt(const QString &flags, qsizetype oneBased)
{
    const qsizetype i = oneBased - 1;
    return i < flags.size() && flags.at(i) >= u'1' && flags.at(i) <= u'9';
}

} // namespace

namespace ClipboardAnalysis {

void fillEntryLists(RecipeForm &form, const QString &vocabularyPath)
{
    for (ChoiceList *list : form.choiceLists())
        list->clear();
    VocabularyFile::fillVocabularyLists(vocabularyPath, form.choiceLists());
    for (int i = 0; i <= 5; ++i)
        form.cmb_jyuyou.items.append(QString::number(i));
    form.cmb_jyuyou.select(3);
    form.cmb_level.items.append(QString());
    form.cmb_level.items.append(VocabularyFile::readVocabularySection(vocabularyPath, u"[人気]"_s));
    form.cmb_level.select(0);
    form.Cmb_bunrui11.items =
        VocabularyFile::readVocabularySection(vocabularyPath, VocabularyFile::materials);
    form.Cmb_bunrui11.select(0);
    form.cmb_aji.items.append(QString());
    form.cmb_aji.items.append(VocabularyFile::readVocabularySection(vocabularyPath, u"[味]"_s));
    form.cmb_aji.select(0);
    refillWords(form, vocabularyPath);
}
void refillWords(RecipeForm &form, const QString &vocabularyPath)
{
    if (vocabularyPath.isEmpty())
        return;
    const QString category = form.Cmb_bunrui11.currentText();
    const QString text = form.cmb_bunrui12.currentText();
    form.cmb_bunrui12.clear();
    if (!category.isEmpty()) {
        form.cmb_bunrui12.items = VocabularyFile::readVocabularySection(
            vocabularyPath, VocabularyFile::materials, category);
    }
    form.cmb_bunrui12.setText(text);
}

void applyAnalysis(const RecipeTextAnalysis &a, RecipeForm &form, const QString &vocabularyPath)
{
    const bool stored = a.fromSettingsBlock;
    selectValue(form.cmb_mokuteki, a.purpose, Compare::Exact, stored);
    form.Txt_key1 = a.dishName;
    form.txt_yobi[1] = a.method;
    form.Txt_biko[0] = a.servings;
    form.Txt_biko[2] = a.point;
    form.Txt_biko[4] = a.protein;
    form.Txt_biko[5] = a.carbohydrate;
    form.Txt_biko[7] = a.fat;
    form.Txt_biko[9] = a.time;
    form.Txt_biko[10] = a.registeredOn;
    form.Txt_biko[11] = a.salt;
    form.Txt_biko[12] = a.calories;
    setListText(form.cmb_name, a.author);
    form.txt_yobi[2] = a.imageFile;
    form.Txt_biko[3] = a.vitamin;
    form.Txt_biko[6] = a.vegetables;
    form.Txt_biko[8] = a.fruit;
    selectPosition(form.cmb_jyuyou, a.importance);
    selectPosition(form.cmb_level, a.popularity);

    selectValue(form.cmb_kokuseki, a.cuisine, Compare::Trimmed, stored);
    setListText(form.cmb_cost, a.cost);
    setListText(form.cmb_key, a.special);
    selectValue(form.cmb_tema, a.effort, Compare::Trimmed, stored);

    if (!a.flags.isEmpty()) {
        form.Chk_noprint = flagAt(a.flags, 1);
        form.Chk_Active = flagAt(a.flags, 3);
        for (std::size_t i = 0; i < form.chk_etc.size(); ++i)
            form.chk_etc[i] = flagAt(a.flags, 5 + 2 * qsizetype(i));
    }
    form.Txt_biko[1] = a.notes;
    form.txt_yobi[0] = a.ingredients;

    const QString before = form.Cmb_bunrui11.currentText();
    selectValue(form.Cmb_bunrui11, a.category, Compare::Exact, stored);
    if (form.Cmb_bunrui11.currentText() != before)
        refillWords(form, vocabularyPath);
    if (!a.word.isEmpty() && !selectExisting(form.cmb_bunrui12, a.word, Compare::Trimmed) && stored)
        form.cmb_bunrui12.setText(a.word);
}

bool analyseText(const QString &text, RecipeForm &form, const QString &vocabularyPath)
{
    if (text.trimmed().isEmpty())
        return false;
    const QString author = form.cmb_name.currentText();
    form.clearFields();
    refillWords(form, vocabularyPath);
    applyAnalysis(RecipeTextParser::parse(text, author), form, vocabularyPath);
    return true;
}

} // namespace ClipboardAnalysis
