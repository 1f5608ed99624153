#pragma once

#include <QString>

// The printer chosen in the printer set-up dialog. It stays the default for
// the following print runs of this process; empty means the system default.
namespace PrinterChoice {
QString printerName();
void setPrinterName(const QString &name);
} // namespace PrinterChoice
