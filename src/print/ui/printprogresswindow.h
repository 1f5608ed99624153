#pragma once

#include "print/printprogress.h"

#include <QWidget>

class QLabel;
class QPushButton;

// How far a print run got, with a Cancel that ends the run after the sheet
// being drawn. Stays usable while the window that started the run is disabled.
class PrintProgressWindow : public QWidget, public PrintProgress
{
    Q_OBJECT
public:
    explicit PrintProgressWindow(bool preview, QWidget *parent = nullptr);

    void sheetStarted(int sheet, int page) override;
    bool cancelRequested() const override { return m_cancel; }
    void requestCancel();

private:
    QLabel *m_text = nullptr;
    QPushButton *m_cancelButton = nullptr;
    bool m_preview;
    bool m_cancel = false;
};
