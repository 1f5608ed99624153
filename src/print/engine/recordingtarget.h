#pragma once

#include "print/engine/painttarget.h"

#include <QList>
#include <QSet>
#include <QSize>

// A paint target that logs every primitive in millimetres, for tests of the
// layout code. Text is measured without fonts: a character that takes two
// bytes in the code page is one em wide, any other half an em.
class RecordingTarget : public PaintTarget
{
public:
    struct Item
    {
        enum class Kind {
            Line,
            Point,
            Circle,
            Rect,
            Fill,
            Text,
            Picture,
            NewPage,
            EndDocument,
            Clear
        };
        explicit Item(Kind k = Kind::Line) : kind(k) {}
        Kind kind;
        QLineF line; // Line
        QPointF at;  // Point, Circle centre, Text top-left
        double radius = 0;
        QRectF rect;       // Rect, Fill, Picture target
        PenSpec pen;       // Line, Point, Circle, Rect
        int32_t color = 0; // Fill, Text
        QString text;
        FontSpec font;
        QSize pictureSize;
        QRect source;
    };

    explicit RecordingTarget(double scaleWidth = 200.5, double twipsPerPixel = 1440.0 / 600);

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

    double scaleWidth() const override { return m_scaleWidth; }
    double twipsPerPixelX() const override { return m_twipsPerPixel; }
    double twipsPerPixelY() const override { return m_twipsPerPixel; }

    void openPage() override;
    void newPage() override;
    void endDocument() override;
    void clear() override;
    bool pageHasDrawing() const override { return m_pageHasDrawing; }

    // One em in millimetres for a size in points.
    static double emMm(double points) { return points * 25.4 / 72.0; }

    QList<Item> items;
    // Font names that selectFont refuses, as a system without them would.
    QSet<QString> missingFonts;
    // When false textWidth reports that the device cannot measure.
    bool canMeasure = true;
    int documentsOpened = 0;

    QList<Item> ofKind(Item::Kind kind) const;

private:
    void add(Item item);

    double m_scaleWidth;
    double m_twipsPerPixel;
    FontSpec m_font{QStringLiteral("ＭＳ ゴシック"), 9};
    bool m_documentOpen = false;
    bool m_pageHasDrawing = false;
};
