#include "editor/recipelistfilter.h"

#include "recipe/texthelpers.h"

using namespace Qt::StringLiterals;

const QString RecipeListFilter::searchView = u"検索結果"_s;
const QString RecipeListFilter::allView = u"全て"_s;
const QString RecipeListFilter::genreView = u"ジャンル"_s;
const QString RecipeListFilter::favouriteView = u"お気入"_s;
const QString RecipeListFilter::otherEntry = u"その他"_s;

namespace {

// The switch i (1 to 7) of field 4 as stored: "" when missing.
QStringView flagChar(const RecipeRecord &record, int i)
{
    return QStringView(record.field(RecipeRecord::Flags)).mid((i - 1) * 2, 1);
}

} // namespace

bool RecipeListFilter::passesSearch(const RecipeRecord &r, QStringView rawLine) const
{
    using F = RecipeRecord;
    if (!mainCategory.isEmpty()) {
        const QString f1 = TextHelpers::trimBlanks(r.field(F::MainCategory));
        if (f1.isEmpty() || !mainCategory.contains(f1, Qt::CaseInsensitive))
            return false;
    }
    if (!ingredientList.isEmpty()) {
        const QString list = u","_s + ingredientList;
        const QString f1 = TextHelpers::trimBlanks(r.field(F::MainCategory));
        const QString f2 = TextHelpers::trimBlanks(r.field(F::MainIngredient));
        const bool bySub = !f2.isEmpty() && list.contains(u","_s + f2 + u","_s);
        const bool byMain = !f1.isEmpty() && list.contains(u","_s + f1 + u","_s);
        if (!bySub && !byMain)
            return false;
    }
    static constexpr int conditionFields[] = {F::Purpose, F::Cuisine, F::Effort, F::Cost,
                                              F::Author};
    for (int i = 1; i <= 5; ++i) {
        const QString &c = conditions[std::size_t(i)];
        if (!c.isEmpty() && TextHelpers::trimBlanks(r.field(conditionFields[i - 1])) != c)
            return false;
    }
    if (const QString &keyword = conditions[6]; !keyword.isEmpty()) {
        if (!rawLine.toString().toUpper().contains(keyword.toUpper()))
            return false;
    }
    switch (eatenFilter) {
    case 1:
        return flagChar(r, 3) != u"0";
    case 2:
        return flagChar(r, 3) != u"1";
    case 3:
        return flagChar(r, 5) != u"0";
    default:
        return true;
    }
}

int RecipeListFilter::lastFieldNeeded() const
{
    if (view == searchView)
        return RecipeRecord::Author;
    if (view == genreView)
        return RecipeRecord::Purpose;
    if (view == favouriteView)
        return RecipeRecord::Flags;
    return RecipeRecord::DishName;
}

bool RecipeListFilter::listed(const RecipeRecord &r, QStringView rawLine) const
{
    if (view == searchView)
        return passesSearch(r, rawLine);
    if (view == genreView)
        return secondFilter.isEmpty() ||
               secondFilter == TextHelpers::trimBlanks(r.field(RecipeRecord::Purpose));
    if (view == favouriteView && flagChar(r, 2) == u"1")
        return true;
    const QString f1 = TextHelpers::trimBlanks(r.field(RecipeRecord::MainCategory));
    if (!(view.isEmpty() || view == allView || view == f1))
        return false;
    if (secondFilter.isEmpty())
        return true;
    const QString f2 = TextHelpers::trimBlanks(r.field(RecipeRecord::MainIngredient));
    if (secondFilter == f2)
        return true;
    if (secondFilter != otherEntry)
        return false;
    // The entries carry a leading blank in the list; compare what is shown.
    for (const QString &entry : secondEntries) {
        const QString e = TextHelpers::trimBlanks(entry);
        if (!e.isEmpty() && e != otherEntry && e == f2)
            return false;
    }
    return true;
}

QString RecipeListFilter::entryText(const RecipeRecord &r)
{
    return r.field(RecipeRecord::MainCategory) + u"\t "_s + r.field(RecipeRecord::DishName);
}

int RecipeListFilter::groupJump(const QStringList &entries, int current, bool forward)
{
    if (current < 0 || current >= entries.size())
        return current;
    const qsizetype tab = entries.at(current).indexOf(u'\t');
    if (tab < 1)
        return current;
    const QStringView group = QStringView(entries.at(current)).left(tab);
    const auto differs = [&](const QString &entry) {
        const qsizetype t = entry.indexOf(u'\t');
        return (t < 0 ? QStringView(entry) : QStringView(entry).left(t)) != group;
    };
    if (forward) {
        for (int i = current + 1; i < entries.size(); ++i) {
            if (differs(entries.at(i)))
                return i;
        }
    } else {
        for (int i = current - 1; i >= 0; --i) {
            if (differs(entries.at(i)))
                return i;
        }
    }
    return current;
}
