#pragma once

#include "print/engine/colorcodes.h"
#include "print/engine/painttarget.h"

#include <QImage>
#include <QString>

#include <cstdint>
#include <functional>

struct PageLayout;

// The one place every page is drawn through. previewMode chooses the target:
// the printer page or the preview picture; both take millimetres from the
// sheet's top-left corner, pen widths in device pixels and colour codes.
class DrawSurface
{
public:
    // What the windows supply; all optional.
    struct Hooks
    {
        std::function<void()> processEvents; // let pending window events run
        std::function<void()> showBusy;      // hourglass pointer
        std::function<void()> showPreview;   // show the finished preview sheet and wait
    };

    // The targets are not owned; printer and preview may be the same object.
    DrawSurface(PaintTarget *printer, PaintTarget *preview);

    int16_t previewMode = 0;
    int32_t lineColor = 0;    // RGB of the decoration lines; colour code -1 keeps it
    int16_t pagePrinted = 0;  // 1 once text was printed on the sheet
    int16_t docPerSheet = 1;  // 1: every sheet is a document of its own
    int16_t previewGuide = 0; // guide frame of the preview window
    ColorCodes::Cycles colorCycleCounters;
    int16_t pictureTurn = 0; // rotation through the page pictures
    Hooks hooks;

    PaintTarget *target() const { return previewMode ? m_preview : m_printer; }
    PaintTarget *printerTarget() const { return m_printer; }
    PaintTarget *previewTarget() const { return m_preview; }
    // The print-run dialog picks the printer and the preview window supplies
    // its picture; neither may change within a run.
    void setPrinterTarget(PaintTarget *printer) { m_printer = printer; }
    void setPreviewTarget(PaintTarget *preview) { m_preview = preview; }

    int32_t mapColorCode(int32_t code)
    {
        return ColorCodes::mapColorCode(code, colorCycleCounters);
    }

    // Circle outline in the mapped colour with the current pen.
    void drawCircle(double x, double y, double radius, int32_t colorCode);
    // Primitives in an RGB colour with the current pen, for the decorations.
    void drawLineRgb(double x1, double y1, double x2, double y2, int32_t rgb);
    void drawPointRgb(double x, double y, int32_t rgb);
    void drawCircleRgb(double x, double y, double radius, int32_t rgb);
    void drawBoxRgb(double x1, double y1, double x2, double y2, int32_t rgb);
    void fillBoxRgb(double x1, double y1, double x2, double y2, int32_t rgb);

    void setCurrentX(double x) { m_x = x; }
    void setCurrentY(double y) { m_y = y; }
    double getCurrentX() const { return m_x; }
    double getCurrentY() const { return m_y; }

    void setDrawStyle(int16_t style) { m_pen.style = style; }
    void setDrawWidth(int16_t width) { m_pen.width = width; }
    int16_t drawStyle() const { return int16_t(m_pen.style); }
    int16_t drawWidth() const { return int16_t(m_pen.width); }

    void setFontName(const QString &name);
    void setFontSize(double size);
    double getFontSize() const { return m_fontSize; }
    void setForeColor(int32_t colorCode) { m_foreColor = mapColorCode(colorCode); }
    void setForeColorRgb(int32_t rgb) { m_foreColor = rgb; }
    int32_t getForeColor() const { return m_foreColor; }

    // Prints at the cursor and moves it right; a CR LF in the text moves it to
    // the start of the next line.
    void printText(const QString &text);
    // Prints at the cursor, then moves it to the start of the next line.
    void printLine(const QString &text);
    double measureTextWidth(const QString &text) const;
    double lineHeight() const { return target()->lineHeight(); }
    static double fontHalfHeightMm(double size) { return size / 5.67; }

    // The printer's printable width (also in preview mode) - 0.5 + YOUSI_PLUS.
    double getPrintableWidth(const PageLayout &layout) const;
    double getTwipsPerPixelX() const { return target()->twipsPerPixelX(); }
    double getTwipsPerPixelY() const { return target()->twipsPerPixelY(); }
    // Printer only; 6 = millimetres, the unit everything here uses.
    void setScaleMode(int16_t mode);
    int16_t scaleMode() const { return m_scaleMode; }

    // Moves everything drawn from here on, millimetres: the printer's
    // alignment for the side of the sheet being printed. The cursor and
    // the layout's coordinates stay as they are.
    void setSheetOffset(QPointF offsetMm) { m_offset = offsetMm; }
    QPointF sheetOffset() const { return m_offset; }

    // Preview only: a red corner at the top right of a slot whose recipe did
    // not fit completely. Nothing on the printer.
    void markUnfitSlot(double right, double top);

    void beginSheet();
    void finishSheet();
    void finishPrintJob();

    // Stretches the source rectangle of the picture into a rectangle given in
    // the target's device pixels.
    int blitPicture(const QImage &picture, double x, double y, double width, double height, int sx,
                    int sy, int sw, int sh);

private:
    void printSegments(const QString &text, bool endLine);
    QPointF shifted(double x, double y) const { return QPointF(x, y) + m_offset; }
    void newLine();

    PaintTarget *m_printer;
    PaintTarget *m_preview;
    PenSpec m_pen;
    double m_x = 0;
    double m_y = 0;
    double m_fontSize = 9;
    int32_t m_foreColor = 0;
    int16_t m_scaleMode = 6;
    QPointF m_offset;
};
