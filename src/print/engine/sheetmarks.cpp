#include "print/engine/sheetmarks.h"

#include "print/engine/drawsurface.h"
#include "print/engine/framedecoration.h"
#include "print/engine/pagelayout.h"

#include <algorithm>

namespace SheetMarks {

namespace {

// Paper numbers, as in the format table.
enum Paper {
    Bible = 0,
    Poket = 1,
    Mini = 2,
    Narrow = 3,
    Techo8 = 4,
    Techo82 = 5,
    B6 = 9,
    Techo9 = 18,
    BibleW = 19,
    A5L = 20,
    Post = 21,
    Poket7 = 24,
};

const PunchPattern biblePattern{2.5, 6, {22, 41, 60, 110, 129, 148}};
const PunchPattern pocketPattern{1.5, 5, {15, 34, 53, 72, 91, 110}};
const PunchPattern miniPattern{1.5, 4, {14, 33, 52, 71, 90}};
const PunchPattern techoPattern{1.5, 4, {17, 26.5, 45.5, 55, 85, 94.5, 113.5, 123}};

bool hasCutLines(int paper)
{
    static const QList<int> formats = {Bible, Poket,  Mini,   Narrow, Techo8, Techo82,
                                       B6,    Techo9, BibleW, A5L,    Post,   Poket7};
    return formats.contains(paper);
}

} // namespace

std::optional<PunchPattern> punchPattern(int paperNumber)
{
    switch (paperNumber) {
    case Bible:
    case Narrow:
    case Techo9:
    case BibleW:
        return biblePattern;
    case Poket:
    case Poket7:
        return pocketPattern;
    case Mini:
        return miniPattern;
    case Techo8:
    case Techo82:
        return techoPattern;
    default:
        return std::nullopt;
    }
}

void drawSheetMarks(DrawSurface &s, const PageLayout &layout, int paperNumber, int16_t mode)
{
    using Decoration::drawRule;
    const int32_t k = layout.KIRITORI_COLOR == 7 ? 0 : layout.KIRITORI_COLOR;
    const double w = layout.WIDTH;
    const double h = layout.usableHeight;
    const double y = layout.YOHAKU;
    const double p = s.getPrintableWidth(layout);

    if (mode == 5) {
        if (layout.ANAAKE != 1)
            return;
        drawRule(s, layout, -1, w + 1, 0, w + 1, h, k);
        drawRule(s, layout, -1, 2 * w + y + 2, 0, 2 * w + y + 2, h, k);
        drawRule(s, layout, -1, 0, h, 2 * w + y + 2, h, k);
        return;
    }
    if (mode != 0)
        return;

    if (hasCutLines(paperNumber)) {
        drawRule(s, layout, -1, w + 3, 0, w + 3, h, k);
        drawRule(s, layout, -1, 0, h, w + 3, h, k);
        drawRule(s, layout, -1, p - w - 3, h, p, h, k);
        drawRule(s, layout, -1, p - w - 3, 0, p - w - 3, h, k);
    }

    const auto pattern = punchPattern(paperNumber);
    if (layout.ANAAKE == 1 && pattern) {
        s.setDrawStyle(0);
        s.setDrawWidth(1);
        for (double holeY : pattern->holesY) {
            s.drawCircle(w + 3 - pattern->inset, holeY - y, pattern->radius, k);
            s.drawCircle(p - w - 3 + pattern->inset, holeY - y, pattern->radius, k);
        }
    }

    const double c = (h - y) / 2;
    drawRule(s, layout, 1, w + 2, c, w + 3, c, k);
    drawRule(s, layout, 1, p - w - 3, c, p - w - 2, c, k);

    if (layout.HAKUSI != 1)
        return;
    if (paperNumber == Bible || paperNumber == Techo8 || paperNumber == Techo82) {
        // A third refill lying on its side below the two pages.
        drawRule(s, layout, -1, h, h, h, h + w + 7, k);
        drawRule(s, layout, -1, 0, h + w + 7, h, h + w + 7, k);
        if (paperNumber == Bible && layout.ANAAKE == 1) {
            s.setDrawStyle(0);
            s.setDrawWidth(1);
            QList<double> holes = biblePattern.holesY;
            std::reverse(holes.begin(), holes.end());
            for (double holeY : holes)
                s.drawCircle(holeY - y, h + 6, biblePattern.radius, k);
        }
    } else if (paperNumber == Mini) {
        // A third refill standing between the two.
        drawRule(s, layout, -1, p / 2, 0, p / 2, h, k);
        drawRule(s, layout, -1, p / 2 + w, 0, p / 2 + w, h, k);
        drawRule(s, layout, -1, p / 2, h, p / 2 + w, h, k);
        if (layout.ANAAKE == 1) {
            s.setDrawStyle(0);
            s.setDrawWidth(1);
            for (double holeY : miniPattern.holesY)
                s.drawCircle(p / 2 + 4, holeY - y, miniPattern.radius, k);
        }
    }
}

} // namespace SheetMarks
