#pragma once

#include <QList>

#include <functional>

// Which entries of the found list the card viewer shows: six from the
// selected position on (page mode) or six distinct random ones.
class CardSlots
{
public:
    static constexpr int maxCards = 6;

    // A number in [0, 1); the window seeds one from the clock, tests script it.
    using RandomSource = std::function<double()>;

    // List positions from the selected one on, at most six; none for an
    // empty list or no selection.
    static QList<int> pageSlots(int count, int selected);

    // Distinct random list positions in draw order, min(count, 6) of them.
    static QList<int> randomSlots(int count, const RandomSource &random);

    // The position "次ページ" and "前ページ" select.
    static int nextPagePosition(int count, int selected);
    static int previousPagePosition(int selected);

    // Enabled states of the page buttons after drawing; both off in random
    // mode (no selection).
    static bool previousEnabled(int selected);
    static bool nextEnabled(int count, int selected, int cardCount);
};
