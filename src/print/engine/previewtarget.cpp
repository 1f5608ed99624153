#include "print/engine/previewtarget.h"

#include <QPainter>

PreviewTarget::PreviewTarget(int widthPixels, double sheetWidthMm)
    : m_sheetWidthMm(sheetWidthMm),
      m_image(widthPixels, qRound(widthPixels * 297.0 / 210.0), QImage::Format_RGB32)
{
    // Fonts are sized in points against the image's resolution.
    const int dotsPerMeter = qRound(pixelsPerMmX() * 1000);
    m_image.setDotsPerMeterX(dotsPerMeter);
    m_image.setDotsPerMeterY(dotsPerMeter);
    clear();
}

double PreviewTarget::pixelsPerMmX() const
{
    return m_image.width() / m_sheetWidthMm;
}

double PreviewTarget::pixelsPerMmY() const
{
    return pixelsPerMmX();
}

double PreviewTarget::twipsPerPixelX() const
{
    return 56.7 / pixelsPerMmX();
}

double PreviewTarget::twipsPerPixelY() const
{
    return 56.7 / pixelsPerMmY();
}

PreviewTarget::~PreviewTarget()
{
    if (m_painter.isActive())
        m_painter.end();
}

const QImage &PreviewTarget::image() const
{
    if (m_painter.isActive())
        m_painter.end();
    return m_image;
}

void PreviewTarget::clear()
{
    if (m_painter.isActive())
        m_painter.end();
    m_image.fill(Qt::white);
    markEmptyPage();
}

QPaintDevice *PreviewTarget::device() const
{
    return const_cast<QImage *>(&m_image);
}

void PreviewTarget::paint(const std::function<void(QPainter &)> &draw)
{
    if (!m_painter.isActive()) {
        m_painter.begin(&m_image);
        m_painter.setRenderHint(QPainter::Antialiasing);
    }
    m_painter.save();
    draw(m_painter);
    m_painter.restore();
}
