#include "print/engine/printertarget.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPrinter>

using namespace Qt::StringLiterals;

PrinterTarget::PrinterTarget(QPrinter *printer) : m_printer(printer)
{
    m_printer->setFullPage(true);
    if (m_printer->outputFormat() == QPrinter::PdfFormat)
        m_pdfPath = m_printer->outputFileName();
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
    // The width the printer can reach, as the layout's margin setting assumes.
    QPageLayout layout = m_printer->pageLayout();
    layout.setMode(QPageLayout::StandardMode);
    layout.setMargins(layout.minimumMargins());
    return layout.paintRect(QPageLayout::Millimeter).width();
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
