#pragma once

#include "print/engine/painttarget.h"

#include <QFont>
#include <QFontMetricsF>

#include <functional>
#include <optional>

class QPaintDevice;
class QPainter;

// The drawing shared by the targets that paint with QPainter: millimetres
// are turned into device pixels here, pen widths stay device pixels.
//
// Text is measured once for every device, at a fixed reference resolution,
// and drawn on each device scaled from that resolution: the preview picture
// then breaks every line at the same character as the paper, where its own
// pixel-rounded fonts would run a few per cent wider.
class PainterTarget : public PaintTarget
{
public:
    void drawLine(QLineF line, const PenSpec &pen) override;
    void drawPoint(QPointF at, const PenSpec &pen) override;
    void drawCircle(QPointF centre, double radius, const PenSpec &pen) override;
    void drawRect(QRectF rect, const PenSpec &pen) override;
    void fillRect(QRectF rect, int32_t color) override;
    void drawText(QPointF at, const QString &text, const FontSpec &font, int32_t color) override;
    void drawPicture(const QImage &picture, QRectF target, QRect source) override;

    bool selectFont(const FontSpec &font) override;
    FontSpec font() const override { return m_font; }
    std::optional<double> textWidth(const QString &text) const override;
    double lineHeight() const override;

    bool pageHasDrawing() const override { return m_pageHasDrawing; }

    // True when the name, or a substitute of it, is an installed family.
    static bool fontAvailable(const QString &name);

    // The resolution text is measured at (a printer's, so glyph advances are
    // not rounded to coarse pixels).
    static constexpr double referenceDpi = 1200;

protected:
    // Runs the drawing with a painter that is active on the device.
    virtual void paint(const std::function<void(QPainter &)> &draw) = 0;
    virtual QPaintDevice *device() const = 0;
    virtual double pixelsPerMmX() const = 0;
    virtual double pixelsPerMmY() const = 0;

    QPointF toDevice(QPointF mm) const;
    QRectF toDevice(QRectF mm) const;
    // Where 0,0 of the drawing lies on the device, in millimetres.
    void setOriginMm(QPointF origin) { m_origin = origin; }
    void markDrawn() { m_pageHasDrawing = true; }
    void markEmptyPage() { m_pageHasDrawing = false; }

private:
    void paintMarked(const std::function<void(QPainter &)> &draw);
    static QFont qfont(const FontSpec &font);
    // Metrics of the selected font at the reference resolution.
    const QFontMetricsF &metrics() const;

    FontSpec m_font{QStringLiteral("ＭＳ ゴシック"), 9};
    bool m_pageHasDrawing = false;
    QPointF m_origin;
    mutable std::optional<QFontMetricsF> m_metrics;
};
