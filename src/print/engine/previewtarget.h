#pragma once

#include "print/engine/paintertarget.h"

#include <QImage>
#include <QPainter>

// The preview picture: an image in the proportions of an A4 sheet whose
// width stands for sheetWidthMm millimetres.
class PreviewTarget : public PainterTarget
{
public:
    explicit PreviewTarget(int widthPixels = 1240, double sheetWidthMm = 210);

    ~PreviewTarget() override;

    // The picture as drawn so far (closes the painter that draws on it).
    const QImage &image() const;

    double scaleWidth() const override { return m_sheetWidthMm; }
    double twipsPerPixelX() const override;
    double twipsPerPixelY() const override;

    void openPage() override {}
    void newPage() override { clear(); }
    void endDocument() override {}
    void clear() override;

protected:
    void paint(const std::function<void(QPainter &)> &draw) override;
    QPaintDevice *device() const override;
    double pixelsPerMmX() const override;
    double pixelsPerMmY() const override;

private:
    double m_sheetWidthMm;
    QImage m_image;
    // Kept open between drawings (opening one per dot is slow); closed
    // whenever the picture is handed out so nobody shares a painted image.
    mutable QPainter m_painter;
};
