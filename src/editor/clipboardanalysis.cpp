#include "editor/clipboardanalysis.h"

#include "analysis/analysedrecipe.h"
#include "editor/recipeform.h"
#include "recipe/vocabularyfile.h"

using namespace Qt::StringLiterals;

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

EntryLists entryLists(const RecipeForm &form, const QString &vocabularyPath)
{
    EntryLists lists;
    lists.purposes = form.cmb_mokuteki.items;
    lists.cuisines = form.cmb_kokuseki.items;
    lists.efforts = form.cmb_tema.items;
    lists.costs = form.cmb_cost.items;
    lists.keywords = form.cmb_key.items;
    lists.authors = form.cmb_name.items;
    lists.categories = form.Cmb_bunrui11.items;
    lists.ratings = int(form.cmb_jyuyou.items.size());
    lists.popularities = int(form.cmb_level.items.size());
    lists.wordsOf = [vocabularyPath, current = form.cmb_bunrui12.items](const QString &category) {
        // Without a vocabulary file the list keeps the items it has.
        if (vocabularyPath.isEmpty())
            return current;
        return VocabularyFile::readVocabularySection(vocabularyPath, VocabularyFile::materials,
                                                     category);
    };
    return lists;
}

bool analyseText(const QString &text, RecipeForm &form, const QString &vocabularyPath)
{
    if (text.trimmed().isEmpty())
        return false;
    const QString author = form.cmb_name.currentText();
    form.clearFields();
    form.showRecord(AnalysedRecipe::analyse(text, author, entryLists(form, vocabularyPath)));
    refillWords(form, vocabularyPath);
    return true;
}

} // namespace ClipboardAnalysis
