#include "print/alignmentsheet.h"

#include "print/engine/drawsurface.h"
#include "print/engine/pagelayout.h"
#include "print/engine/paperformat.h"
#include "print/engine/sheetmarks.h"
#include "print/printjob.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace AlignmentSheet {

namespace {

constexpr int32_t black = 0;
constexpr double labelSize = 5; // points

void scaleTick(DrawSurface &s, double from, double at, bool alongTop, int mm)
{
    const double length = mm % 10 == 0 ? 3 : mm % 5 == 0 ? 2 : 1;
    if (alongTop)
        s.drawLineRgb(at, from, at, from + length, black);
    else
        s.drawLineRgb(from, at, from + length, at, black);
}

void label(DrawSurface &s, double x, double y, int mm)
{
    s.setCurrentX(x);
    s.setCurrentY(y);
    s.printText(QString::number(mm));
}

// Ticks every millimetre from the page's top-left corner, longer every 5
// and 10 mm, numbered every 10 mm.
void drawScales(DrawSurface &s, const QRectF &page)
{
    s.setDrawStyle(0);
    s.setDrawWidth(1);
    s.setForeColor(0);
    s.setFontSize(labelSize);
    const int across = int(std::floor(page.width() + 1e-9));
    for (int mm = 0; mm <= across; ++mm) {
        scaleTick(s, page.top(), page.left() + mm, true, mm);
        // No number runs over the page's edge.
        if (mm % 10 == 0 && mm > 0 && mm + 4 <= page.width())
            label(s, page.left() + mm + 0.3, page.top() + 3, mm);
    }
    const int down = int(std::floor(page.height() + 1e-9));
    for (int mm = 0; mm <= down; ++mm) {
        scaleTick(s, page.left(), page.top() + mm, false, mm);
        if (mm % 10 == 0 && mm > 0 && mm + 2 <= page.height())
            label(s, page.left() + 3.3, page.top() + mm - 1, mm);
    }
}

} // namespace

QList<QRectF> pages(const PageLayout &l, int paperNumber, double printableWidth)
{
    const double height = l.usableHeight;
    QList<QRectF> result;
    if (paperNumber == PaperFormat::chyoA4 || paperNumber == PaperFormat::chyoA7) {
        for (const Strip &strip : PrintJob::fourUpStrips())
            result.append(QRectF(QPointF(strip.left, 0), QPointF(strip.right, height)));
        return result;
    }
    const double w = l.WIDTH + 3;
    result.append(QRectF(0, 0, w, height));
    // The second page where the sheet marks put it, when the sheet holds two.
    if (printableWidth >= 2 * w)
        result.append(QRectF(printableWidth - w, 0, w, height));
    return result;
}

void drawSide(DrawSurface &s, const PageLayout &layout, int paperNumber, bool back)
{
    const QList<QRectF> sheetPages = pages(layout, paperNumber, s.getPrintableWidth(layout));
    if (paperNumber != PaperFormat::chyoA4 && paperNumber != PaperFormat::chyoA7) {
        // Holes always, blank refills never: this sheet is about the pages.
        PageLayout marks = layout;
        marks.ANAAKE = 1;
        marks.HAKUSI = 0;
        SheetMarks::drawSheetMarks(s, marks, paperNumber, 0);
    }
    const PaperFormat *format = PaperFormat::byNumber(paperNumber);
    const QString title = (back ? u"位置合わせ (裏)"_s : u"位置合わせ (表)"_s) +
                          (format ? u"  "_s + format->caption.simplified() : QString());
    for (const QRectF &page : sheetPages) {
        s.setDrawStyle(0);
        s.setDrawWidth(1);
        s.drawBoxRgb(page.left(), page.top(), page.right(), page.bottom(), black);
        drawScales(s, page);
        s.setFontName(layout.DEFAULT_FONTNAME);
        s.setFontSize(9);
        s.setCurrentX(page.left() + 8);
        s.setCurrentY(page.top() + page.height() / 2);
        s.printLine(title);
        s.setCurrentX(page.left() + 8);
        s.printText(u"用紙と重ねてずれを読む"_s);
    }
}

} // namespace AlignmentSheet
