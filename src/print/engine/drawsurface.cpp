#include "print/engine/drawsurface.h"

#include "print/engine/pagelayout.h"

#include <QCoreApplication>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace {
const QString fallbackFont = u"ＭＳ ゴシック"_s;
constexpr double twipsPerMm = 56.7;
} // namespace

DrawSurface::DrawSurface(PaintTarget *printer, PaintTarget *preview)
    : m_printer(printer), m_preview(preview)
{
    hooks.processEvents = [] {
        if (QCoreApplication::instance())
            QCoreApplication::processEvents();
    };
}

void DrawSurface::drawCircle(double x, double y, double radius, int32_t colorCode)
{
    drawCircleRgb(x, y, radius, mapColorCode(colorCode));
}

void DrawSurface::drawLineRgb(double x1, double y1, double x2, double y2, int32_t rgb)
{
    PenSpec pen = m_pen;
    pen.color = rgb;
    target()->drawLine(QLineF(shifted(x1, y1), shifted(x2, y2)), pen);
}

void DrawSurface::drawPointRgb(double x, double y, int32_t rgb)
{
    PenSpec pen = m_pen;
    pen.color = rgb;
    target()->drawPoint(shifted(x, y), pen);
}

void DrawSurface::drawCircleRgb(double x, double y, double radius, int32_t rgb)
{
    PenSpec pen = m_pen;
    pen.color = rgb;
    target()->drawCircle(shifted(x, y), radius, pen);
}

void DrawSurface::drawBoxRgb(double x1, double y1, double x2, double y2, int32_t rgb)
{
    PenSpec pen = m_pen;
    pen.color = rgb;
    target()->drawRect(QRectF(shifted(x1, y1), shifted(x2, y2)), pen);
}

void DrawSurface::fillBoxRgb(double x1, double y1, double x2, double y2, int32_t rgb)
{
    target()->fillRect(QRectF(shifted(x1, y1), shifted(x2, y2)), rgb);
}

void DrawSurface::setFontName(const QString &name)
{
    bool ok = true;
    if (!previewMode)
        ok = m_printer->selectFont({name, m_fontSize});
    // The picture follows in both modes: it measures text when the printer cannot.
    ok = m_preview->selectFont({name, m_fontSize}) && ok;
    if (!ok)
        m_preview->selectFont({fallbackFont, m_fontSize});
}

void DrawSurface::setFontSize(double size)
{
    m_fontSize = size;
    if (!previewMode)
        m_printer->selectFont({m_printer->font().name, size});
    m_preview->selectFont({m_preview->font().name, size});
}

void DrawSurface::newLine()
{
    m_x = 0;
    m_y += lineHeight();
}

void DrawSurface::printSegments(const QString &text, bool endLine)
{
    const QStringList segments = text.split(u"\r\n"_s);
    for (qsizetype i = 0; i < segments.size(); ++i) {
        const QString &segment = segments.at(i);
        if (!segment.isEmpty()) {
            target()->drawText(shifted(m_x, m_y), segment, target()->font(), m_foreColor);
            m_x += measureTextWidth(segment);
        }
        if (i + 1 < segments.size())
            newLine();
    }
    if (endLine)
        newLine();
    pagePrinted = 1;
}

void DrawSurface::printText(const QString &text)
{
    printSegments(text, false);
}

void DrawSurface::printLine(const QString &text)
{
    printSegments(text, true);
}

double DrawSurface::measureTextWidth(const QString &text) const
{
    if (text.isEmpty())
        return 0;
    if (!previewMode) {
        if (const auto width = m_printer->textWidth(text))
            return *width;
    }
    return m_preview->textWidth(text).value_or(0);
}

double DrawSurface::getPrintableWidth(const PageLayout &layout) const
{
    // The paper's width in both modes: the preview places the pages of a
    // sheet where the printer will put them.
    const PaintTarget *paper = m_printer ? m_printer : target();
    return paper->scaleWidth() - 0.5 + layout.YOUSI_PLUS;
}

void DrawSurface::setScaleMode(int16_t mode)
{
    if (!previewMode)
        m_scaleMode = mode;
}

void DrawSurface::beginSheet()
{
    pagePrinted = 0;
    previewGuide = 1;
    if (previewMode) {
        m_preview->clear();
    } else {
        setScaleMode(6);
        // Something already on the page (text moves the cursor, drawings mark
        // the page): this sheet needs a fresh one.
        if (m_x != 0 || m_y != 0 || m_printer->pageHasDrawing()) {
            m_printer->newPage();
            m_x = 0;
            m_y = 0;
        }
        m_printer->openPage();
    }
    if (hooks.processEvents)
        hooks.processEvents();
    if (hooks.showBusy)
        hooks.showBusy();
}

void DrawSurface::finishSheet()
{
    if (previewMode) {
        if (pagePrinted == 1 && hooks.showPreview)
            hooks.showPreview();
        return;
    }
    if (docPerSheet == 1) {
        m_printer->endDocument();
        m_x = 0;
        m_y = 0;
    }
}

void DrawSurface::finishPrintJob()
{
    if (docPerSheet == 0) {
        m_printer->endDocument();
        m_x = 0;
        m_y = 0;
    }
}

int DrawSurface::blitPicture(const QImage &picture, double x, double y, double width, double height,
                             int sx, int sy, int sw, int sh)
{
    const int16_t savedMode = m_scaleMode;
    m_scaleMode = 3;
    const double mmPerPixelX = getTwipsPerPixelX() / twipsPerMm;
    const double mmPerPixelY = getTwipsPerPixelY() / twipsPerMm;
    target()->drawPicture(picture,
                          QRectF(shifted(x * mmPerPixelX, y * mmPerPixelY),
                                 QSizeF(width * mmPerPixelX, height * mmPerPixelY)),
                          QRect(sx, sy, sw, sh));
    m_scaleMode = savedMode;
    return 0;
}

void DrawSurface::markUnfitSlot(double right, double top)
{
    if (!previewMode)
        return;
    constexpr double legMm = 6;
    const int32_t red = ColorCodes::rgb(230, 0, 0);
    const PenSpec pen{4, 0, red};
    m_preview->drawLine(QLineF(shifted(right - legMm, top), shifted(right, top)), pen);
    m_preview->drawLine(QLineF(shifted(right, top), shifted(right, top + legMm)), pen);
}
