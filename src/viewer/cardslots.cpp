#include "viewer/cardslots.h"

#include <QtGlobal>

QList<int> CardSlots::pageSlots(int count, int selected)
{
    QList<int> slots;
    if (count <= 0 || selected < 0 || selected >= count)
        return slots;
    const int cards = qMin(qMin(count, maxCards), count - selected);
    for (int i = 0; i < cards; ++i)
        slots.append(selected + i);
    return slots;
}

QList<int> CardSlots::randomSlots(int count, const RandomSource &random)
{
    QList<int> slots;
    const int cards = qMin(count, maxCards);
    while (slots.size() < cards) {
        // Out-of-range draws (a source returning 1.0) are drawn again like repeats.
        const int r = int(random() * count);
        if (r >= 0 && r < count && !slots.contains(r))
            slots.append(r);
    }
    return slots;
}

int CardSlots::nextPagePosition(int count, int selected)
{
    return selected + maxCards >= count - 1 ? count - 1 : selected + maxCards;
}

int CardSlots::previousPagePosition(int selected)
{
    return selected < maxCards + 1 ? 0 : selected - maxCards;
}

bool CardSlots::previousEnabled(int selected)
{
    return selected >= 1;
}

bool CardSlots::nextEnabled(int count, int selected, int cardCount)
{
    return selected >= 0 && selected + cardCount < count;
}
