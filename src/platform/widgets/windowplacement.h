#pragma once

#include <QList>
#include <QPoint>
#include <QRect>

class QWidget;

// Placement of the program's secondary windows.
namespace WindowPlacement {

// Centres a top-level window on another window (usually the frame), then
// keeps it on the screen vertically: never above the top edge, moved up
// when its bottom would fall below the screen.
void centreOn(QWidget *window, const QWidget *on);

// Where a window at `window` (frame rectangle, pixels) should go so that
// it can be seen and dragged: unchanged while its title band lies on one of
// the screens (available areas); otherwise moved into the nearest screen,
// as when the monitor it was last on has been unplugged.
QPoint visiblePosition(const QRect &window, const QList<QRect> &screens);

// Moves a top-level window to a position, corrected by visiblePosition for
// the screens attached now.
void moveOntoScreen(QWidget *window, const QPoint &position);

// Window sizes and positions in the design (and in the settings file) are
// twips, 1/1440 inch; these convert for a widget's screen.
double twipsPerPixel(const QWidget *widget);
int twipsToPixels(const QWidget *widget, int twips);

} // namespace WindowPlacement
