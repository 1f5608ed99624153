#pragma once

class QWidget;

// Placement of the program's secondary windows.
namespace WindowPlacement {

// Centres a top-level window on another window (usually the frame), then
// keeps it on the screen vertically: never above the top edge, moved up
// when its bottom would fall below the screen.
void centreOn(QWidget *window, const QWidget *on);

// Window sizes and positions in the design (and in the settings file) are
// twips, 1/1440 inch; these convert for a widget's screen.
double twipsPerPixel(const QWidget *widget);
int twipsToPixels(const QWidget *widget, int twips);

} // namespace WindowPlacement
