#include "print/engine/printertarget.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPrinter>

#include <algorithm>

using namespace Qt::StringLiterals;

PrinterTarget::PrinterTarget(QPrinter *printer, double pdfBorderMm) : m_printer(printer)
{
    // One frame for the origin and the width: the printable area. Qt's own
    // margins would put the origin on whole points (0.17 mm off on a PDF),
    // so the page is drawn in full-page mode from an exact offset.
    m_printer->setFullPage(true);
    QPageLayout layout = m_printer->pageLayout();
    QRectF area;
    if (m_printer->outputFormat() == QPrinter::PdfFormat) {
        const double b = std::max(0.0, pdfBorderMm);
        area = layout.fullRect(QPageLayout::Millimeter).adjusted(b, b, -b, -b);
        m_pdfPath = m_printer->outputFileName();
    } else {
        layout.setUnits(QPageLayout::Millimeter);
        layout.setMode(QPageLayout::StandardMode);
        layout.setMargins(layout.minimumMargins());
        area = layout.paintRect(QPageLayout::Millimeter);
    }
    setOriginMm(area.topLeft());
    m_printableWidth = area.width();
}

PrinterTarget::~PrinterTarget()
{
    if (m_painter.isActive())
        m_painter.end();
}

std::unique_ptr<QPrinter> PrinterTarget::makePdfPrinter(const QString &path)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    printer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    return printer;
}

std::optional<double> PrinterTarget::textWidth(const QString &text) const
{
    if (!m_printer->isValid())
        return std::nullopt;
    return PainterTarget::textWidth(text);
}

double PrinterTarget::scaleWidth() const
{
    return m_printableWidth;
}

double PrinterTarget::twipsPerPixelX() const
{
    return 1440.0 / m_printer->resolution();
}

double PrinterTarget::twipsPerPixelY() const
{
    return 1440.0 / m_printer->resolution();
}

double PrinterTarget::pixelsPerMmX() const
{
    return m_printer->resolution() / 25.4;
}

double PrinterTarget::pixelsPerMmY() const
{
    return m_printer->resolution() / 25.4;
}

QPaintDevice *PrinterTarget::device() const
{
    return m_printer;
}

void PrinterTarget::openPage()
{
    // After a refusal, stay quiet until the document is ended and retried.
    if (m_painter.isActive() || m_failed)
        return;
    // A PDF file per document: a later document must not overwrite the sheets
    // already sent.
    if (!m_pdfPath.isEmpty() && m_documents > 0) {
        const QFileInfo info(m_pdfPath);
        m_printer->setOutputFileName(info.path() + u'/' + info.completeBaseName() + u'-' +
                                     QString::number(m_documents + 1) + u'.' + info.suffix());
    }
    m_failed = !m_painter.begin(m_printer);
    markEmptyPage();
}

void PrinterTarget::newPage()
{
    openPage();
    m_printer->newPage();
    markEmptyPage();
}

void PrinterTarget::endDocument()
{
    m_failed = false;
    if (!m_painter.isActive())
        return;
    m_painter.end();
    ++m_documents;
    markEmptyPage();
}

void PrinterTarget::paint(const std::function<void(QPainter &)> &draw)
{
    openPage();
    if (!m_painter.isActive())
        return;
    m_painter.save();
    draw(m_painter);
    m_painter.restore();
}
