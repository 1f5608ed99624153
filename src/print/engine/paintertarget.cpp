#include "print/engine/paintertarget.h"

#include "print/engine/colorcodes.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
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

constexpr double referencePixelsPerMm = PainterTarget::referenceDpi / 25.4;

// A device of the reference resolution to measure fonts against.
const QPaintDevice *referenceDevice()
{
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        const int dotsPerMeter = qRound(PainterTarget::referenceDpi / 0.0254);
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }();
    return &device;
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
    return {(mm.x() + m_origin.x()) * pixelsPerMmX(), (mm.y() + m_origin.y()) * pixelsPerMmY()};
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

QFont PainterTarget::qfont(const FontSpec &font)
{
    QFont f(font.name);
    f.setPointSizeF(font.size > 0 ? font.size : 1);
    // Unhinted advances scale with the size, so one measurement fits every device.
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

const QFontMetricsF &PainterTarget::metrics() const
{
    if (!m_metrics)
        m_metrics.emplace(qfont(m_font), referenceDevice());
    return *m_metrics;
}

void PainterTarget::drawText(QPointF at, const QString &text, const FontSpec &font, int32_t color)
{
    if (text.isEmpty())
        return;
    paintMarked([&](QPainter &p) {
        // Laid out at the reference resolution and scaled down to the device,
        // so the text takes exactly the width it was measured with.
        QFont f = qfont(font);
        f.setPointSizeF(f.pointSizeF() * referenceDpi / device()->logicalDpiY());
        const double ascent = font == m_font
                                  ? metrics().ascent()
                                  : QFontMetricsF(qfont(font), referenceDevice()).ascent();
        p.setFont(f);
        p.setPen(ColorCodes::toQColor(color));
        p.translate(toDevice(at));
        p.scale(pixelsPerMmX() / referencePixelsPerMm, pixelsPerMmY() / referencePixelsPerMm);
        p.drawText(QPointF(0, ascent), text);
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
    // Asking the font database goes through fontconfig every time, and every
    // size change asks again; the answer is kept per name and substitutes.
    static QHash<QString, bool> known;
    const QStringList substitutes = QFont::substitutes(name);
    const QString key = name + u'\n' + substitutes.join(u'\n');
    const auto it = known.constFind(key);
    if (it != known.constEnd())
        return *it;
    const bool found = QFontDatabase::hasFamily(name) ||
                       std::any_of(substitutes.begin(), substitutes.end(),
                                   [](const QString &s) { return QFontDatabase::hasFamily(s); });
    known.insert(key, found);
    return found;
}

bool PainterTarget::selectFont(const FontSpec &font)
{
    // A name that cannot be selected keeps the old name but not the old size.
    const bool available = fontAvailable(font.name);
    const FontSpec wanted = available ? font : FontSpec{m_font.name, font.size};
    if (!(wanted == m_font)) {
        m_font = wanted;
        m_metrics.reset();
    }
    return available;
}

std::optional<double> PainterTarget::textWidth(const QString &text) const
{
    return metrics().horizontalAdvance(text) / referencePixelsPerMm;
}

double PainterTarget::lineHeight() const
{
    return metrics().height() / referencePixelsPerMm;
}
