#pragma once

#include <QImage>
#include <QLineF>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QString>

#include <cstdint>
#include <optional>

// The pen a primitive is drawn with: width in device pixels, style as the
// surface numbers it (0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot,
// 5 invisible, 6 inside solid), colour 0x00BBGGRR.
struct PenSpec
{
    int width = 1;
    int style = 0;
    int32_t color = 0;

    bool operator==(const PenSpec &) const = default;
};

// A font as the surface selected it: name and size in points.
struct FontSpec
{
    QString name;
    double size = 9;

    bool operator==(const FontSpec &) const = default;
};

// One output of the drawing surface: the printer, the preview picture or a
// recording. Every coordinate is in millimetres from the sheet's top-left
// corner; the target turns them into its own device units.
class PaintTarget
{
public:
    virtual ~PaintTarget() = default;

    virtual void drawLine(QLineF line, const PenSpec &pen) = 0;
    virtual void drawPoint(QPointF at, const PenSpec &pen) = 0;
    virtual void drawCircle(QPointF centre, double radius, const PenSpec &pen) = 0;
    virtual void drawRect(QRectF rect, const PenSpec &pen) = 0;
    // Filled and outlined in one colour.
    virtual void fillRect(QRectF rect, int32_t color) = 0;
    // Text with its top-left corner at `at`.
    virtual void drawText(QPointF at, const QString &text, const FontSpec &font, int32_t color) = 0;
    // Stretches the source rectangle (picture pixels) into the target rectangle.
    virtual void drawPicture(const QImage &picture, QRectF target, QRect source) = 0;

    // False when the name cannot be selected; the target then keeps its name
    // but still takes the size.
    virtual bool selectFont(const FontSpec &font) = 0;
    virtual FontSpec font() const = 0;
    // Width of the text in the selected font; nothing when the device cannot measure.
    virtual std::optional<double> textWidth(const QString &text) const = 0;
    // Height of one line of the selected font.
    virtual double lineHeight() const = 0;

    // Width of the area the target can draw on.
    virtual double scaleWidth() const = 0;
    virtual double twipsPerPixelX() const = 0;
    virtual double twipsPerPixelY() const = 0;

    // Opens the document and the page if they are not open yet.
    virtual void openPage() = 0;
    virtual void newPage() = 0;
    // Sends what was drawn; the next drawing opens a new document.
    virtual void endDocument() = 0;
    // Wipes the picture (preview); a no-op elsewhere.
    virtual void clear() = 0;
    // True once something was drawn on the current page.
    virtual bool pageHasDrawing() const = 0;
    // True when the device refused to open (no printer, driver failure); the
    // print job decides whether to abandon the run.
    virtual bool failed() const { return false; }
};
