#pragma once

#include <QString>
#include <QStringView>

#include <bitset>

// A set of UTF-16 units for one-pass membership tests on long lines.
class CharSet
{
public:
    explicit CharSet(QStringView chars)
    {
        for (QChar c : chars)
            m_bits.set(c.unicode());
    }
    bool contains(QChar c) const { return m_bits.test(c.unicode()); }

    // Every member of the set becomes `by`.
    QString replaced(const QString &text, QChar by) const
    {
        QString result = text;
        for (QChar &c : result) {
            if (contains(c))
                c = by;
        }
        return result;
    }

private:
    std::bitset<0x10000> m_bits;
};
