#include "print/engine/framedecoration.h"

#include "platform/cp932.h"
#include "print/engine/drawsurface.h"
#include "print/engine/pagelayout.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace Decoration {

namespace {

constexpr int32_t rainbowCode = 19;
constexpr double dotPitch = 0.4;
constexpr double circlePitch = 1.0;

// Positions start, start + step, ... up to end; none when end < start. The
// count is worked out once so rounding never adds or drops the last step.
int stepCount(double start, double end, double step)
{
    if (end < start)
        return 0;
    return int(std::floor((end - start) / step + 1e-9)) + 1;
}

void drawGradient(DrawSurface &s, double x1, double y1, double x2, double y2, int32_t code)
{
    s.setDrawWidth(2);
    const bool down = x1 == x2;
    const double start = down ? y1 : x1;
    const double end = down ? y2 : x2;
    const int n = stepCount(start, end, dotPitch);
    for (int i = 0; i < n; ++i) {
        const double p = start + i * dotPitch;
        const double span = (end - start) / 200;
        // The tiny allowance keeps 8 / 0.04 from landing on 199.
        const int f = span > 0 ? std::clamp(int(std::floor((p - start) / span + 1e-9)), 0, 200) : 0;
        int32_t color = 0;
        switch (code) {
        case 1:
            color = ColorCodes::rgb(f, f, 255);
            break;
        case 2:
            color = ColorCodes::rgb(f, 255, f);
            break;
        case 3:
            color = ColorCodes::rgb(f, 255, 255);
            break;
        case 4:
            color = ColorCodes::rgb(255, f, f);
            break;
        case 5:
            color = ColorCodes::rgb(255, f, 255);
            break;
        default:
            color = ColorCodes::rgb(255, 255, f);
            break;
        }
        const double x = down ? x1 : p;
        const double y = down ? p : y1;
        s.drawLineRgb(x, y, x + dotPitch, y, color);
    }
}

void drawDotted(DrawSurface &s, const PageLayout &layout, double x1, double y1, double x2,
                double y2, int32_t code)
{
    s.setDrawWidth(layout.TENSEN == 1 || code == rainbowCode ? 2 : 1);
    const bool down = x1 == x2;
    const double start = down ? y1 : x1;
    const double end = down ? y2 : x2;
    const bool dots = layout.TENSEN == 0 || layout.TENSEN == 1;
    const double pitch = dots ? dotPitch : circlePitch;
    const double radius = s.previewMode ? 0.2 : 0.1;
    const int n = stepCount(start, end, pitch);
    for (int i = 0; i < n; ++i) {
        const double p = start + i * pitch;
        const double x = down ? x1 : p;
        const double y = down ? p : y1;
        if (dots)
            s.drawPointRgb(x, y, s.lineColor);
        else
            s.drawCircleRgb(x, y, radius, s.lineColor);
    }
}

void drawHatching(DrawSurface &s, double x1, double y1, double x2, double y2)
{
    const double step = (x2 - x1) / 10 - 1;
    // A box 10 mm wide or narrower has no usable step: one line, and done.
    const int n = step > 0 ? stepCount(x1, x2, step) : (x1 <= x2 ? 1 : 0);
    for (int i = 0; i < n; ++i) {
        const double x = x1 + i * step;
        s.drawLineRgb(x, y1, x, y2 + 0.4, s.lineColor);
    }
}

void drawArrow(DrawSurface &s, int16_t style, double x1, double y1, double x2, double y2)
{
    if (x1 > x2)
        std::swap(x1, x2);
    if (y1 > y2)
        std::swap(y1, y2);
    const int32_t c = s.lineColor;
    s.drawLineRgb(x1, y1, x2, y2, c);
    if (style == -100 || style == -101) {
        s.drawLineRgb(x1, y1, x1 + 1, y1 - 1, c);
        s.drawLineRgb(x1, y1, x1 + 1, y1 + 1, c);
    }
    if (style == -100 || style == -102) {
        s.drawLineRgb(x2, y2, x2 - 1, y2 - 1, c);
        s.drawLineRgb(x2, y2, x2 - 1, y2 + 1, c);
    }
}

} // namespace

void drawRule(DrawSurface &s, const PageLayout &layout, int16_t style, double x1, double y1,
              double x2, double y2, int32_t colorCode)
{
    s.setDrawStyle(0);
    s.setDrawWidth(1);
    if (colorCode != -1)
        s.lineColor = s.mapColorCode(colorCode);

    if (style >= 1 && style <= 9) {
        const bool thicker = style == 1 && (layout.TENSEN == 1 || colorCode == rainbowCode);
        s.setDrawWidth(thicker ? 2 : style);
        s.drawLineRgb(x1, y1, x2, y2, s.lineColor);
    } else if (style == 10) {
        if (colorCode >= 1 && colorCode <= 6) {
            drawGradient(s, x1, y1, x2, y2, colorCode);
        } else {
            s.setDrawWidth(10);
            s.drawLineRgb(x1, y1, x2, y2, s.lineColor);
        }
    } else if (style == -1) {
        drawDotted(s, layout, x1, y1, x2, y2, colorCode);
    } else if (style == -10) {
        drawHatching(s, x1, y1, x2, y2);
    } else if (style == -100 || style == -101 || style == -102) {
        drawArrow(s, style, x1, y1, x2, y2);
    }
}

void drawBoxFrame(DrawSurface &s, int16_t width, double x1, double y1, double x2, double y2,
                  int32_t colorCode)
{
    if (colorCode == rainbowCode && width == 1)
        width = 2;
    if (colorCode != -1)
        s.lineColor = s.mapColorCode(colorCode);
    if (width >= 1 && width <= 9)
        s.setDrawWidth(width);
    s.drawBoxRgb(x1, y1, x2, y2, s.lineColor);
}

void fillBox(DrawSurface &s, double x1, double y1, double x2, double y2, int32_t colorCode)
{
    s.setDrawStyle(0);
    s.setDrawWidth(1);
    s.fillBoxRgb(x1, y1, x2, y2, s.mapColorCode(colorCode));
}

void drawTitleBand(DrawSurface &s, const PageLayout &layout, const QString &text, double left,
                   double right)
{
    const int kazari = layout.KAZARI;
    const bool centred = kazari >= 5 && kazari <= 9;
    const int decoration = centred ? kazari - 5 : kazari;
    const double h = layout.HEAD_HEIGHT;
    const double d = layout.DATA_HEIGHT;
    switch (decoration) {
    case 1:
        drawRule(s, layout, 3, left, d, right, d, layout.HEAD_LINE_COLOR);
        break;
    case 2:
        drawRule(s, layout, 2, left, d, right, d, layout.HEAD_LINE_COLOR);
        break;
    case 3:
        drawBoxFrame(s, 1, left, h - 0.5, right, d - 0.5, layout.HEAD_LINE_COLOR);
        break;
    case 4:
        fillBox(s, left, h - 0.5, right, d - 0.5, layout.AMIKAKE_COLOR);
        break;
    case 10:
        drawRule(s, layout, 10, left, d, right, d, layout.HEAD_LINE_COLOR);
        break;
    default:
        break;
    }

    s.setFontName(layout.HEAD_FONTNAME);
    s.setFontSize(layout.HEAD_FONTSIZE);
    s.setForeColor(layout.HEAD_COLOR);
    s.setCurrentY(h);
    if (centred) {
        // Estimated from the byte length, so the title sits where it always did
        // whatever the font's real widths.
        const double w =
            double(Cp932::byteLength(text)) * DrawSurface::fontHalfHeightMm(layout.HEAD_FONTSIZE);
        s.setCurrentX(left + (right - left - w) / 2);
        s.printText(text);
    } else {
        s.setCurrentX(left);
        s.printText(u' ' + text);
    }
}

void drawFooter(DrawSurface &s, const PageLayout &layout, const QString &text, double left,
                double right)
{
    const int kazari = layout.KAZARI;
    if (kazari == 0)
        return;
    const bool thin = kazari == 2 || kazari == 4 || kazari == 7 || kazari == 9;
    const int16_t style = thin ? 2 : kazari == 10 ? 10 : 3;
    drawRule(s, layout, style, left, layout.FOOT_HEIGHT, right, layout.FOOT_HEIGHT,
             layout.HEAD_LINE_COLOR);
    if (text.isEmpty())
        return;
    s.setCurrentX(left);
    s.setFontName(layout.DEFAULT_FONTNAME);
    s.setFontSize(layout.DEFAULT_FONTSIZE * 0.7);
    s.setForeColor(layout.HEAD_COLOR);
    s.printText(text);
}

} // namespace Decoration
