#pragma once

#include "print/engine/paintertarget.h"

#include <QPainter>

#include <memory>

class QPrinter;

// The printer page: a system printer or a PDF file. Millimetres are counted
// from the paper's corner (full-page mode).
class PrinterTarget : public PainterTarget
{
public:
    explicit PrinterTarget(QPrinter *printer);
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
    int m_documents = 0;
    bool m_failed = false;
};
