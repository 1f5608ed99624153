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
