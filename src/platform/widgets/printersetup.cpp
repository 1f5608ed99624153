#include "platform/widgets/printersetup.h"

#include "platform/printerchoice.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

bool printerSetupDialog(QWidget *owner)
{
    QPrinter printer;
    const QString chosen = PrinterChoice::printerName();
    if (!chosen.isEmpty() && !QPrinterInfo::printerInfo(chosen).isNull())
        printer.setPrinterName(chosen);
    printer.setFromTo(1, 100);
    printer.setCopyCount(1);
    QPrintDialog dialog(&printer, owner);
    dialog.setMinMax(1, 100);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    PrinterChoice::setPrinterName(printer.printerName());
    return true;
}
