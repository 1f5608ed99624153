#include "analysis/classification.h"

#include "analysis/classificationrules.h"
#include "analysis/textfold.h"

using namespace Qt::StringLiterals;

namespace {

QStringView view(std::u16string_view s)
{
    return QStringView(s.data(), qsizetype(s.size()));
}

bool containsAny(const QString &text, const std::vector<std::u16string_view> &keywords)
{
    for (std::u16string_view k : keywords) {
        if (text.contains(view(k)))
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
    for (const DishGenreRule &rule : DishGenreRules) {
        if (!containsAny(dishName, rule.keywords) && !tailMatches(dishName, rule))
            continue;
        setIfGiven(result.purpose, rule.purpose);
        setIfGiven(result.cuisine, rule.cuisine);
        setIfGiven(result.category, rule.category);
        setIfGiven(result.word, rule.word);
        return;
    }
}

void classifyMainIngredient(const QString &text, QString &category, QString &word)
{
    if (text.isEmpty())
        return;
    for (const MainIngredientRule &rule : MainIngredientRules) {
        if (!containsAny(text, rule.keywords))
            continue;
        if (rule.stops)
            return; // apple vinegar is no fruit
        setIfGiven(category, rule.category);
        setIfGiven(word, rule.word);
        return;
    }
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
