#pragma once

#include <QList>
#include <QRectF>

class DrawSurface;
struct PageLayout;

// The printer alignment sheet: the refill pages of a sheet with their
// outline, cut lines and hole marks, and a millimetre scale along the top
// and the left edge of every page. Held against a real refill it shows how
// far this printer puts the page off.
namespace AlignmentSheet {

// The refill pages of one side of the sheet, millimetres.
QList<QRectF> pages(const PageLayout &layout, int paperNumber, double printableWidth);

// Draws one side; the surface's sheet offset is applied like on any run.
void drawSide(DrawSurface &surface, const PageLayout &layout, int paperNumber, bool back);

} // namespace AlignmentSheet
