#include "analysis/analysedrecipe.h"

#include "analysis/classification.h"
#include "analysis/recipetextparser.h"
#include "recipe/vocabularyfile.h"

using namespace Qt::StringLiterals;

namespace {

enum class Compare { Exact, Trimmed };

// The first item equal to the value, or a null string when there is none.
QString findItem(const QStringList &items, const QString &value, Compare compare)
{
    const QString wanted = compare == Compare::Trimmed ? value.trimmed() : value;
    for (const QString &item : items) {
        if ((compare == Compare::Trimmed ? item.trimmed() : item) == wanted)
            return item;
    }
    return {};
}

// A guess is taken only as an item of its list; a stored value is kept
// (the form adds it to the list as showing a stored recipe does).
QString choose(const QStringList &items, const QString &value, Compare compare, bool stored)
{
    if (value.isEmpty())
        return {};
    const QString item = findItem(items, value, compare);
    if (!item.isNull())
        return item;
    return stored ? value.trimmed() : QString();
}

// A list the user may type into: the matching item, else the text itself.
QString typed(const QStringList &items, const QString &value)
{
    const QString item = value.isEmpty() ? QString() : findItem(items, value, Compare::Trimmed);
    return item.isNull() ? value : item;
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

// A list position from the text; one beyond the list keeps the default.
QString position(const QString &value, int count, int fallback)
{
    if (value.isEmpty())
        return QString::number(fallback);
    const int p = leadingNumber(value);
    return QString::number(p < count ? p : fallback);
}

QString flagsField(const QString &flags)
{
    QString field;
    for (qsizetype i = 0; i < 7; ++i) {
        const qsizetype at = 2 * i;
        const bool on = at < flags.size() && flags.at(at) >= u'1' && flags.at(at) <= u'9';
        field += on ? u"1|"_s : u"0|"_s;
    }
    return field;
}

// Category and word go through the rewrites every row read from a file
// gets, so that a guess the vocabulary calls otherwise ("魚", "ブタ") is
// not lost. A guess the lists lack leaves the fields empty rather than wrong.
std::pair<QString, QString> chooseMainIngredient(const RecipeTextAnalysis &a,
                                                 const EntryLists &lists)
{
    RecipeRecord row;
    row.setField(RecipeRecord::MainCategory, a.category);
    row.setField(RecipeRecord::MainIngredient, a.word);
    normalizeCategoryFields(row);
    const QString stored = row.field(RecipeRecord::MainCategory);
    const QString word = row.field(RecipeRecord::MainIngredient);
    if (a.fromSettingsBlock)
        return {stored.trimmed(), word.trimmed()};
    const QString category = findItem(lists.categories, stored, Compare::Exact);
    if (category.isEmpty())
        return {};
    const QStringList words = lists.wordsOf ? lists.wordsOf(category) : QStringList();
    const QString item = word.isEmpty() ? QString() : findItem(words, word, Compare::Trimmed);
    return {category.trimmed(), item.trimmed()};
}

} // namespace

EntryLists EntryLists::fromVocabulary(const QString &vocabularyPath)
{
    using VocabularyFile::readVocabularySection;
    const auto withEmpty = [&](const QString &section) {
        return QStringList{QString()} + readVocabularySection(vocabularyPath, section);
    };
    EntryLists lists;
    lists.purposes = withEmpty(u"[目的]"_s);
    lists.cuisines = withEmpty(u"[国籍]"_s);
    lists.efforts = withEmpty(u"[手間]"_s);
    lists.costs = withEmpty(u"[COST]"_s);
    lists.keywords = withEmpty(u"[KEY]"_s);
    lists.authors = withEmpty(u"[作者]"_s);
    lists.categories = readVocabularySection(vocabularyPath, VocabularyFile::materials);
    lists.ratings = 6;
    lists.popularities = int(withEmpty(u"[人気]"_s).size());
    lists.wordsOf = [vocabularyPath](const QString &category) {
        return readVocabularySection(vocabularyPath, VocabularyFile::materials, category);
    };
    return lists;
}

namespace AnalysedRecipe {

RecipeRecord record(const RecipeTextAnalysis &a, const EntryLists &lists)
{
    using F = RecipeRecord;
    const bool stored = a.fromSettingsBlock;
    RecipeRecord r;
    const auto [category, word] = chooseMainIngredient(a, lists);
    r.setField(F::MainCategory, category);
    r.setField(F::MainIngredient, word);
    r.setField(F::DishName, a.dishName.trimmed());
    r.setField(F::Flags, flagsField(a.flags));
    r.setField(F::Rating, position(a.importance, lists.ratings, 3));
    r.setField(F::Popularity, position(a.popularity, lists.popularities, 0));
    r.setField(F::Ingredients, a.ingredients);
    r.setField(F::Method, a.method);
    r.setField(F::Picture, a.imageFile);
    r.setField(F::Servings, a.servings);
    r.setField(F::Remarks, a.notes);
    r.setField(F::Tips, a.point);
    r.setField(F::Purpose, choose(lists.purposes, a.purpose, Compare::Exact, stored));
    r.setField(F::Cuisine, choose(lists.cuisines, a.cuisine, Compare::Trimmed, stored));
    r.setField(F::Effort, choose(lists.efforts, a.effort, Compare::Trimmed, stored));
    r.setField(F::Cost, typed(lists.costs, a.cost));
    r.setField(F::Keyword, typed(lists.keywords, a.special));
    r.setField(F::Author, typed(lists.authors, a.author));
    r.setField(F::Time, a.time);
    r.setField(F::RegisteredOn, a.registeredOn);
    r.setField(F::Salt, a.salt);
    r.setField(F::Calories, a.calories);
    r.setField(F::Vitamins, a.vitamin);
    r.setField(F::Protein, a.protein);
    r.setField(F::Carbohydrate, a.carbohydrate);
    r.setField(F::Vegetables, a.vegetables);
    r.setField(F::Fat, a.fat);
    r.setField(F::Fruit, a.fruit);
    return r;
}

RecipeRecord analyse(const QString &text, const QString &currentAuthor, const EntryLists &lists)
{
    return record(RecipeTextParser::parse(text, currentAuthor), lists);
}

} // namespace AnalysedRecipe
