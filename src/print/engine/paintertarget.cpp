#include "print/engine/paintertarget.h"

#include "print/engine/colorcodes.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

namespace {

Qt::PenStyle penStyle(int style)
{
    switch (style) {
    case 1:
        return Qt::DashLine;
    case 2:
        return Qt::DotLine;
    case 3:
        return Qt::DashDotLine;
    case 4:
        return Qt::DashDotDotLine;
    case 5:
        return Qt::NoPen;
    default:
        return Qt::SolidLine;
    }
}

QPen qpen(const PenSpec &pen)
{
    QPen p(ColorCodes::toQColor(pen.color));
    p.setWidthF(std::max(1, pen.width));
    p.setStyle(penStyle(pen.style));
    return p;
}

} // namespace

QPointF PainterTarget::toDevice(QPointF mm) const
{
    return {mm.x() * pixelsPerMmX(), mm.y() * pixelsPerMmY()};
}

QRectF PainterTarget::toDevice(QRectF mm) const
{
    return QRectF(toDevice(mm.topLeft()), toDevice(mm.bottomRight()));
}

void PainterTarget::paintMarked(const std::function<void(QPainter &)> &draw)
{
    paint(draw);
    m_pageHasDrawing = true;
}

void PainterTarget::drawLine(QLineF line, const PenSpec &pen)
{
    paintMarked([&](QPainter &p) {
        p.setPen(qpen(pen));
        p.drawLine(QLineF(toDevice(line.p1()), toDevice(line.p2())));
    });
}

void PainterTarget::drawPoint(QPointF at, const PenSpec &pen)
{
    paintMarked([&](QPainter &p) {
        QPen qp = qpen(pen);
        qp.setStyle(Qt::SolidLine);
        p.setPen(qp);
        p.drawPoint(toDevice(at));
    });
}

void PainterTarget::drawCircle(QPointF centre, double radius, const PenSpec &pen)
{
    paintMarked([&](QPainter &p) {
        p.setPen(qpen(pen));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(toDevice(centre), radius * pixelsPerMmX(), radius * pixelsPerMmY());
    });
}

void PainterTarget::drawRect(QRectF rect, const PenSpec &pen)
{
    paintMarked([&](QPainter &p) {
        p.setPen(qpen(pen));
        p.setBrush(Qt::NoBrush);
        p.drawRect(toDevice(rect.normalized()));
    });
}

void PainterTarget::fillRect(QRectF rect, int32_t color)
{
    paintMarked([&](QPainter &p) {
        const QColor c = ColorCodes::toQColor(color);
        p.setPen(QPen(c, 1));
        p.setBrush(c);
        p.drawRect(toDevice(rect.normalized()));
    });
}

QFont PainterTarget::qfont(const FontSpec &font) const
{
    QFont f(font.name);
    f.setPointSizeF(font.size > 0 ? font.size : 1);
    return f;
}

void PainterTarget::drawText(QPointF at, const QString &text, const FontSpec &font, int32_t color)
{
    if (text.isEmpty())
        return;
    paintMarked([&](QPainter &p) {
        const QFont f = qfont(font);
        p.setFont(f);
        p.setPen(ColorCodes::toQColor(color));
        const QFontMetricsF metrics(f, device());
        p.drawText(toDevice(at) + QPointF(0, metrics.ascent()), text);
    });
}

void PainterTarget::drawPicture(const QImage &picture, QRectF target, QRect source)
{
    paintMarked([&](QPainter &p) {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(toDevice(target), picture, QRectF(source));
    });
}

bool PainterTarget::fontAvailable(const QString &name)
{
    if (name.trimmed().isEmpty())
        return false;
    if (QFontDatabase::hasFamily(name))
        return true;
    const QStringList substitutes = QFont::substitutes(name);
    return std::any_of(substitutes.begin(), substitutes.end(),
                       [](const QString &s) { return QFontDatabase::hasFamily(s); });
}

bool PainterTarget::selectFont(const FontSpec &font)
{
    if (!fontAvailable(font.name))
        return false;
    m_font = font;
    return true;
}

std::optional<double> PainterTarget::textWidth(const QString &text) const
{
    const QFontMetricsF metrics(qfont(m_font), device());
    return metrics.horizontalAdvance(text) / pixelsPerMmX();
}

double PainterTarget::lineHeight() const
{
    const QFontMetricsF metrics(qfont(m_font), device());
    return metrics.height() / pixelsPerMmY();
}
