#pragma once

#include <QString>

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

// Prints a character stream wrapped at `right`. Characters 0 to 6 switch the
// colour, 7 restores the colour of the call's start, CR or the two
// characters "\n" break the line, LF is ignored.
void printWrapped(DrawSurface &surface, const QString &text, double right);

} // namespace TextLayout
