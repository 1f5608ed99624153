#include "analysis/classification.h"

#include "analysis/charset.h"
#include "analysis/classificationrules.h"
#include "analysis/textfold.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

QStringView view(std::u16string_view s)
{
    return QStringView(s.data(), qsizetype(s.size()));
}

bool containsAny(const QString &text, const CharPresence &present,
                 const std::vector<std::u16string_view> &keywords)
{
    for (std::u16string_view k : keywords) {
        if (present.mayContain(view(k)) && text.contains(view(k)))
            return true;
    }
    return false;
}

bool tailMatches(const QString &name, const DishGenreRule &rule)
{
    if (rule.tail == DishGenreRule::Tail::None || name.isEmpty())
        return false;
    const QStringView tail = QStringView(name).right(2);
    if (rule.tail == DishGenreRule::Tail::Equals)
        return tail == view(rule.tailText);
    return view(rule.tailText).contains(tail);
}

void setIfGiven(QString &value, const char16_t *given)
{
    if (given)
        value = QString::fromUtf16(given);
}

} // namespace

void classifyDish(const QString &dishName, DishClassification &result)
{
    if (dishName.isEmpty())
        return;
    CharPresence present;
    present.index(dishName);
    for (const DishGenreRule &rule : DishGenreRules) {
        if (!containsAny(dishName, present, rule.keywords) && !tailMatches(dishName, rule))
            continue;
        setIfGiven(result.purpose, rule.purpose);
        setIfGiven(result.cuisine, rule.cuisine);
        setIfGiven(result.category, rule.category);
        setIfGiven(result.word, rule.word);
        return;
    }
}

namespace {

enum class Match { None, Set, Stopped };

template <typename Rules>
Match applyRules(const Rules &rules, const QString &text, const CharPresence &present,
                 QString &category, QString &word)
{
    for (const MainIngredientRule &rule : rules) {
        if (!containsAny(text, present, rule.keywords))
            continue;
        if (rule.stops)
            return Match::Stopped; // apple vinegar is no fruit
        setIfGiven(category, rule.category);
        setIfGiven(word, rule.word);
        return Match::Set;
    }
    return Match::None;
}

Match classify(const QString &text, QString &category, QString &word)
{
    if (text.isEmpty())
        return Match::None;
    CharPresence present;
    present.index(text);
    const Match match = applyRules(MainIngredientRules, text, present, category, word);
    // The added rules only fill a gap; they never replace a guess.
    if (match != Match::None || !category.isEmpty() || !word.isEmpty())
        return match;
    return applyRules(ExtraMainIngredientRules, text, present, category, word);
}

// The rule whose keyword stands first in the text; among keywords at the
// same place the earlier rule.
template <typename Rules>
const MainIngredientRule *firstNamed(const Rules &rules, const QString &text,
                                     const CharPresence &present)
{
    const MainIngredientRule *found = nullptr;
    qsizetype foundAt = -1;
    for (const MainIngredientRule &rule : rules) {
        for (std::u16string_view k : rule.keywords) {
            if (!present.mayContain(view(k)))
                continue;
            const qsizetype at = text.indexOf(view(k));
            if (at >= 0 && (foundAt < 0 || at < foundAt)) {
                found = &rule;
                foundAt = at;
            }
        }
    }
    return found;
}

} // namespace

void classifyMainIngredient(const QString &text, QString &category, QString &word)
{
    classify(text, category, word);
}

void classifyMainIngredientOfName(const QString &name, QString &category, QString &word)
{
    if (name.isEmpty())
        return;
    CharPresence present;
    present.index(name);
    const MainIngredientRule *rule = firstNamed(MainIngredientRules, name, present);
    if (!rule && category.isEmpty() && word.isEmpty())
        rule = firstNamed(ExtraMainIngredientRules, name, present);
    if (!rule || rule->stops)
        return;
    setIfGiven(category, rule->category);
    setIfGiven(word, rule->word);
}

void classifyMainIngredientByLine(const QString &ingredients, QString &category, QString &word)
{
    qsizetype from = 0;
    while (from <= ingredients.size()) {
        qsizetype end = ingredients.indexOf(u"\r\n"_s, from);
        if (end < 0)
            end = ingredients.size();
        if (classify(ingredients.sliced(from, end - from), category, word) == Match::Set)
            return;
        from = end + 2;
    }
}

bool mentionsDishOrIngredient(const QString &text)
{
    if (text.isEmpty())
        return false;
    CharPresence present;
    present.index(text);
    for (const DishGenreRule &rule : DishGenreRules) {
        if (containsAny(text, present, rule.keywords))
            return true;
    }
    const auto names = [&](const MainIngredientRule &rule) {
        return !rule.stops && containsAny(text, present, rule.keywords);
    };
    return std::any_of(MainIngredientRules.begin(), MainIngredientRules.end(), names) ||
           std::any_of(ExtraMainIngredientRules.begin(), ExtraMainIngredientRules.end(), names);
}

void normalizeCategoryFields(RecipeRecord &record)
{
    using F = RecipeRecord;
    const QString other = u"その他"_s;
    QString category = record.field(F::MainCategory);
    QString word = record.field(F::MainIngredient);
    if (category != other)
        category = foldText(category);
    if (word != other)
        word = foldText(word);

    if (category == u"ゴハン"_s || category == u"麺"_s || category == u"パン"_s)
        category = u"飯/麺"_s;
    else if (category == u"魚"_s || category == u"魚加工"_s)
        category = u"魚貝類"_s;
    else if (category == u"豆"_s || category == u"豆腐"_s)
        category = u"豆/豆腐"_s;

    const QString trimmedWord = word.trimmed();
    if (trimmedWord == u"ブタ"_s) {
        word = u"豚"_s;
    } else if (trimmedWord == u"ブタコマ"_s) {
        word = u"豚コマ"_s;
    } else if (trimmedWord == u"ブタ挽肉"_s) {
        word = u"豚挽肉"_s;
    } else if (trimmedWord == u"ハンペン"_s || trimmedWord == u"チクワ"_s ||
               trimmedWord == u"ツナ"_s || trimmedWord == u"カニ缶"_s ||
               trimmedWord == u"タラコ"_s) {
        category = u"魚貝類"_s;
        word = u"魚加工"_s;
    } else if (trimmedWord == u"ハム"_s || trimmedWord == u"ソーセージ"_s) {
        word = u"ハム/ソーセージ"_s;
    }
    record.setField(F::MainCategory, category);
    record.setField(F::MainIngredient, word);

    if (record.field(F::DishName).trimmed() == u"ご飯/麺"_s)
        record.setField(F::DishName, u"飯/麺"_s);
}
