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

// The characters that occur in one line, as a quick filter before substring
// searches: a keyword with a character the line lacks cannot occur in it.
// Keeps the per-line cost of many keyword tests low on long texts.
class CharPresence
{
public:
    // Records the characters of a line (and the blank, which edits of the
    // line may introduce), forgetting the previous line.
    void index(const QString &line)
    {
        for (QChar c : std::as_const(m_line))
            m_bits.reset(c.unicode());
        m_line = line;
        for (QChar c : std::as_const(m_line))
            m_bits.set(c.unicode());
        m_bits.set(u' ');
    }
    bool mayContain(QStringView keyword) const
    {
        for (QChar c : keyword) {
            if (!m_bits.test(c.unicode()))
                return false;
        }
        return true;
    }

private:
    std::bitset<0x10000> m_bits;
    QString m_line;
};
