#include "print/engine/recordingtarget.h"

#include "platform/cp932.h"

RecordingTarget::RecordingTarget(double scaleWidth, double twipsPerPixel)
    : m_scaleWidth(scaleWidth), m_twipsPerPixel(twipsPerPixel)
{}

void RecordingTarget::add(Item item)
{
    openPage();
    m_pageHasDrawing = true;
    items.append(std::move(item));
}

void RecordingTarget::drawLine(QLineF line, const PenSpec &pen)
{
    Item i(Item::Kind::Line);
    i.line = line;
    i.pen = pen;
    add(i);
}

void RecordingTarget::drawPoint(QPointF at, const PenSpec &pen)
{
    Item i(Item::Kind::Point);
    i.at = at;
    i.pen = pen;
    add(i);
}

void RecordingTarget::drawCircle(QPointF centre, double radius, const PenSpec &pen)
{
    Item i(Item::Kind::Circle);
    i.at = centre;
    i.radius = radius;
    i.pen = pen;
    add(i);
}

void RecordingTarget::drawRect(QRectF rect, const PenSpec &pen)
{
    Item i(Item::Kind::Rect);
    i.rect = rect;
    i.pen = pen;
    add(i);
}

void RecordingTarget::fillRect(QRectF rect, int32_t color)
{
    Item i(Item::Kind::Fill);
    i.rect = rect;
    i.color = color;
    add(i);
}

void RecordingTarget::drawText(QPointF at, const QString &text, const FontSpec &font, int32_t color)
{
    Item i(Item::Kind::Text);
    i.at = at;
    i.text = text;
    i.font = font;
    i.color = color;
    add(i);
}

void RecordingTarget::drawPicture(const QImage &picture, QRectF target, QRect source)
{
    Item i(Item::Kind::Picture);
    i.rect = target;
    i.pictureSize = picture.size();
    i.source = source;
    add(i);
}

bool RecordingTarget::selectFont(const FontSpec &font)
{
    if (font.name.trimmed().isEmpty() || missingFonts.contains(font.name)) {
        m_font.size = font.size;
        return false;
    }
    m_font = font;
    return true;
}

std::optional<double> RecordingTarget::textWidth(const QString &text) const
{
    if (!canMeasure)
        return std::nullopt;
    const double em = emMm(m_font.size);
    double width = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        qsizetype len = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        width += Cp932::byteLength(QStringView(text).mid(i, len)) >= 2 ? em : em / 2;
        i += len - 1;
    }
    return width;
}

double RecordingTarget::lineHeight() const
{
    return emMm(m_font.size);
}

void RecordingTarget::openPage()
{
    if (!m_documentOpen) {
        m_documentOpen = true;
        ++documentsOpened;
    }
}

void RecordingTarget::newPage()
{
    openPage();
    items.append(Item(Item::Kind::NewPage));
    m_pageHasDrawing = false;
}

void RecordingTarget::endDocument()
{
    if (!m_documentOpen)
        return;
    items.append(Item(Item::Kind::EndDocument));
    m_documentOpen = false;
    m_pageHasDrawing = false;
}

void RecordingTarget::clear()
{
    items.append(Item(Item::Kind::Clear));
    m_pageHasDrawing = false;
}

QList<RecordingTarget::Item> RecordingTarget::ofKind(Item::Kind kind) const
{
    QList<Item> out;
    for (const Item &i : items)
        if (i.kind == kind)
            out.append(i);
    return out;
}
