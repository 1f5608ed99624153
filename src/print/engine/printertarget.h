#pragma once

#include "print/engine/paintertarget.h"

#include <QPainter>

#include <memory>

class QPrinter;

// The printer page: a system printer or a PDF file. Millimetres are counted
// from the corner of the printable area, and the width is that area's: on a
// printer the area its driver reports, on a PDF the page less a border of
// pdfBorderMm all round (the layout's YOHAKU), so that what the layout puts
// at x mm lands at YOHAKU + x mm from the paper's edge, as on the printers
// the layout values were made for.
class PrinterTarget : public PainterTarget
{
public:
    explicit PrinterTarget(QPrinter *printer, double pdfBorderMm = 3);
    ~PrinterTarget() override;

    // A printer that writes A4 pages to a PDF file.
    static std::unique_ptr<QPrinter> makePdfPrinter(const QString &path);

    std::optional<double> textWidth(const QString &text) const override;
    double scaleWidth() const override;
    double twipsPerPixelX() const override;
    double twipsPerPixelY() const override;

    void openPage() override;
    void newPage() override;
    void endDocument() override;
    void clear() override {}
    bool failed() const override { return m_failed; }

    QPrinter *printer() const { return m_printer; }
    int documentsEnded() const { return m_documents; }

protected:
    void paint(const std::function<void(QPainter &)> &draw) override;
    QPaintDevice *device() const override;
    double pixelsPerMmX() const override;
    double pixelsPerMmY() const override;

private:
    QPrinter *m_printer;
    QPainter m_painter;
    QString m_pdfPath;
    double m_printableWidth = 0;
    int m_documents = 0;
    bool m_failed = false;
};
