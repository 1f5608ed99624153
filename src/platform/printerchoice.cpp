#include "platform/printerchoice.h"

namespace PrinterChoice {

static QString &chosen()
{
    static QString name;
    return name;
}

QString printerName()
{
    return chosen();
}

void setPrinterName(const QString &name)
{
    chosen() = name;
}

} // namespace PrinterChoice
