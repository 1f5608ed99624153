#pragma once

#include <QString>

#include <cstdint>

class DrawSurface;
struct PageLayout;

// Styled lines, boxes, the title band and the footer of a refill page.
// Colour code -1 keeps the colour of the previous line.
namespace Decoration {

// Styles: 1 to 9 solid (pen width = style), 10 gradient, -1 dotted in the
// TENSEN style, -10 hatching, -100/-101/-102 arrows at both ends/start/end.
void drawRule(DrawSurface &surface, const PageLayout &layout, int16_t style, double x1, double y1,
              double x2, double y2, int32_t colorCode);
void drawBoxFrame(DrawSurface &surface, int16_t width, double x1, double y1, double x2, double y2,
                  int32_t colorCode);
void fillBox(DrawSurface &surface, double x1, double y1, double x2, double y2, int32_t colorCode);

// The page title with the KAZARI decoration.
void drawTitleBand(DrawSurface &surface, const PageLayout &layout, const QString &text, double left,
                   double right);
// The footer rule on FOOT_HEIGHT and the footer text at the cursor's y.
void drawFooter(DrawSurface &surface, const PageLayout &layout, const QString &text, double left,
                double right);

} // namespace Decoration
