#pragma once

class QWidget;

// The printer set-up dialog. The printer chosen becomes the default of the
// following print runs in this process (PrinterChoice). True when confirmed.
bool printerSetupDialog(QWidget *owner);
