#pragma once

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QComboBox;

// The print-run dialog (qvpri_bx): print or preview, on which printer, and
// whether to ask for the paper between sheets.
class PrintRunDialog : public QDialog
{
    Q_OBJECT
public:
    // printers: device names of the installed printers in the system's order.
    // previewDefault: Enter presses 印刷イメージ instead of 印刷 (the menu's
    // preview switch is on).
    PrintRunDialog(const QStringList &printers, const QString &currentPrinter,
                   bool showPrintConfirm, QWidget *mainWindow = nullptr,
                   bool previewDefault = false);

    // printRunChoice: 0 cancelled, 1 print, 2 preview.
    int choice() const { return m_choice; }
    // The state of Chk_kakunin_msg: the prompts between sheets and a printer
    // document per sheet (docPerSheet).
    bool confirm() const;

    static const QString noPrinterText;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void printerChosen();

    QCheckBox *m_confirm = nullptr;  // Chk_kakunin_msg
    QComboBox *m_printers = nullptr; // Combo1
    bool m_havePrinters = false;
    bool m_loaded = false;
    int m_choice = 0;
};
