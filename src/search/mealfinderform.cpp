#include "search/mealfinderform.h"

#include "app/appstate.h"
#include "recipe/texthelpers.h"
#include "recipe/vocabularyfile.h"

using namespace Qt::StringLiterals;

namespace {

bool isCategoryLine(const QString &line)
{
    return !line.startsWith(u' ');
}

} // namespace

void MealFinderForm::load(AppState &state)
{
    state.quickSearchResult = -1;
    m_vocabularyPath = state.vocabularyPath();

    for (ChoiceList *list : {&purpose, &cuisine, &effort, &cost, &author, &keyword})
        list->clear();
    VocabularyFile::fillVocabularyLists(m_vocabularyPath, {{u"cmb_mokuteki"_s, &purpose},
                                                           {u"cmb_kokuseki"_s, &cuisine},
                                                           {u"cmb_cost"_s, &cost},
                                                           {u"cmb_tema"_s, &effort},
                                                           {u"cmb_key"_s, &keyword},
                                                           {u"cmb_name"_s, &author}});

    category.clear();
    category.items.append(QString());
    category.items.append(
        VocabularyFile::readVocabularySection(m_vocabularyPath, VocabularyFile::materials));
    category.select(0);

    eaten.clear();
    eaten.items = {QString(), u"この前食べたあの料理"_s, u"まだ作ってないレシピ"_s,
                   u"改善したいレシピ"_s};
    eaten.select(0);

    lines.clear();
    selected.clear();
}

void MealFinderForm::chooseCategory(int index)
{
    category.select(index);
    const QString text = category.currentText();
    lines =
        VocabularyFile::readVocabularySection(m_vocabularyPath, VocabularyFile::materials,
                                              text.isEmpty() ? VocabularyFile::allFilter : text);
    selected = QList<bool>(lines.size(), false);
}

QList<int> MealFinderForm::setLineSelected(int line, bool on)
{
    QList<int> changed;
    if (line < 0 || line >= lines.size())
        return changed;
    if (selected[line] != on) {
        selected[line] = on;
        changed.append(line);
    }
    if (!isCategoryLine(lines.at(line)))
        return changed;
    for (int i = line + 1; i < lines.size() && !isCategoryLine(lines.at(i)); ++i) {
        if (selected[i] != on) {
            selected[i] = on;
            changed.append(i);
        }
    }
    return changed;
}

void MealFinderForm::writeConditions(AppState &state) const
{
    state.quickSearchResult = 1;

    const QString main = TextHelpers::trimBlanks(category.currentText());
    state.searchMainCategory = main == VocabularyFile::allFilter ? QString() : main;

    QString ingredients;
    for (int i = 0; i < lines.size(); ++i) {
        if (selected.value(i))
            ingredients += TextHelpers::trimBlanks(lines.at(i)) + u',';
    }
    state.searchIngredientList = ingredients;

    state.searchConditions[1] = TextHelpers::trimBlanks(purpose.currentText());
    state.searchConditions[2] = TextHelpers::trimBlanks(cuisine.currentText());
    state.searchConditions[3] = TextHelpers::trimBlanks(effort.currentText());
    state.searchConditions[4] = TextHelpers::trimBlanks(cost.currentText());
    state.searchConditions[5] = TextHelpers::trimBlanks(author.currentText());
    state.searchConditions[6] = TextHelpers::trimBlanks(keyword.currentText());
    state.searchEatenFilter = int16_t(qMax(eaten.current, 0));
}
