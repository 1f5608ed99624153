#pragma once

class QWidget;

// Placement of the program's secondary windows.
namespace WindowPlacement {

// Centres a top-level window on another window (usually the frame), then
// keeps it on the screen vertically: never above the top edge, moved up
// when its bottom would fall below the screen.
void centreOn(QWidget *window, const QWidget *on);

// Window sizes in the design are given in twips; this converts for a widget's screen.
int twipsToPixels(const QWidget *widget, int twips);

} // namespace WindowPlacement
