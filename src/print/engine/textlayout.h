#pragma once

#include <QString>

#include <limits>

class DrawSurface;
struct PageLayout;

// Recipe texts in boxes on the page, starting at the surface's cursor.
namespace TextLayout {

// Lays out text with the step markup ("@##" numbered items,
// "@(#LEVEL1)=n" continuing a numbering) from the cursor's x to `right`,
// down to `bottom`. Returns what did not fit, to be passed again on the next
// page; with numbered items it starts with the marker that keeps the count.
QString layoutTextBox(DrawSurface &surface, const PageLayout &layout, const QString &text,
                      double right, double bottom);

// True when a remainder of layoutTextBox holds nothing to print: empty, or
// only the marker that carries the numbering over.
bool nothingLeft(const QString &rest);

// Prints a character stream wrapped at `right`. Characters 0 to 6 switch the
// colour, 7 restores the colour of the call's start, CR or the two
// characters "\n" break the line, LF is ignored. Lines that would reach
// below `bottom` are dropped; false when that happened.
bool printWrapped(DrawSurface &surface, const QString &text, double right,
                  double bottom = std::numeric_limits<double>::infinity());

} // namespace TextLayout
