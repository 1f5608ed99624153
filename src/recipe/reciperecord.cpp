#include "recipe/reciperecord.h"

const QString &RecipeRecord::field(int n) const
{
    static const QString empty;
    if (n < 1 || n > fieldCount)
        return empty;
    return m_fields[n - 1];
}

void RecipeRecord::setField(int n, const QString &value)
{
    if (n >= 1 && n <= fieldCount)
        m_fields[n - 1] = value;
}

void RecipeRecord::clear()
{
    for (QString &f : m_fields)
        f.clear();
}

bool RecipeRecord::isMultiline(int n)
{
    return n == Ingredients || n == Method || n == Remarks || n == Tips;
}

QString RecipeRecord::fieldLabel(int n)
{
    static const char16_t *const labels[definedFields] = {
        u"主材料",    u"副材料", u"料理名", u"フラグ",   u"お気入り", u"習熟度",
        u"材料/分量", u"作り方", u"添付",   u"人分",     u"備考",     u"POINT",
        u"テーマ",    u"国籍",   u"手間",   u"費用",     u"特殊",     u"作者",
        u"時間",      u"登録日", u"塩分",   u"カロリー", u"ビタミン", u"蛋白質",
        u"糖質",      u"野菜",   u"脂質",   u"果物",     u"味",
    };
    if (n >= 1 && n <= definedFields)
        return QString::fromUtf16(labels[n - 1]);
    return QStringLiteral("%1番目の項目").arg(n);
}

int RecipeRecord::lastNonEmptyField() const
{
    for (int n = fieldCount; n >= 1; --n) {
        if (!m_fields[n - 1].isEmpty())
            return n;
    }
    return 0;
}

bool RecipeRecord::flag(int i) const
{
    // Seven digits, each followed by "|".
    const QString &f = field(Flags);
    const qsizetype pos = (i - 1) * 2;
    return i >= 1 && i <= 7 && pos < f.size() && f.at(pos) == u'1';
}
