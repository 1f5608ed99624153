#pragma once

#include <QString>

// The rotating hint line of the meal finder: eight hints, one per tick.
class FinderHints
{
public:
    static constexpr int intervalMs = 3000;

    QString text() const { return m_text; }
    // Advances to the next hint and returns it; after the eighth the first
    // hint shows again.
    QString tick();

private:
    int m_counter = 0;
    QString m_text = initialHint();

    static QString initialHint();
};
