#include "print/ui/printrundialog.h"

#include "platform/printerchoice.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

const QString PrintRunDialog::noPrinterText = u"プリンターが見つかりません"_s;

PrintRunDialog::PrintRunDialog(const QStringList &printers, const QString &currentPrinter,
                               bool showPrintConfirm, QWidget *mainWindow, bool previewDefault)
    : QDialog(mainWindow)
{
    setObjectName(u"qvpri_bx"_s);
    setWindowTitle(u"印刷"_s);
    m_confirm = new QCheckBox(u"印刷確認メッセージボックス表示"_s, this);
    m_confirm->setObjectName(u"Chk_kakunin_msg"_s);
    m_confirm->setChecked(showPrintConfirm);
    m_printers = new QComboBox(this);
    m_printers->setObjectName(u"Combo1"_s);
    m_printers->setMinimumWidth(260);

    m_havePrinters = !printers.isEmpty();
    if (m_havePrinters) {
        m_printers->addItems(printers);
        m_printers->setCurrentIndex(int(printers.indexOf(currentPrinter)));
    } else {
        m_printers->addItem(noPrinterText);
        m_printers->setCurrentIndex(-1);
        // Nothing is selected, yet the box should say why.
        m_printers->setPlaceholderText(noPrinterText);
    }

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    const QStringList captions = {u"ｷｬﾝｾﾙ"_s, u"印刷"_s, u"印刷イメージ"_s};
    for (int i = 0; i < captions.size(); ++i) {
        auto *b = new QPushButton(captions.at(i), this);
        b->setObjectName(u"cmd_run_%1"_s.arg(i));
        b->setAutoDefault(false);
        b->setDefault(i == (previewDefault ? 2 : 1));
        if (b->isDefault())
            b->setFocus();
        connect(b, &QPushButton::clicked, this, [this, i] {
            m_choice = i;
            done(i == 0 ? Rejected : Accepted);
        });
        buttons->addWidget(b);
    }

    auto *printerRow = new QHBoxLayout;
    printerRow->addWidget(new QLabel(u"プリンター"_s, this));
    printerRow->addWidget(m_printers, 1);
    auto *top = new QVBoxLayout(this);
    top->addWidget(m_confirm);
    top->addLayout(printerRow);
    top->addLayout(buttons);

    connect(m_printers, &QComboBox::activated, this, [this] { printerChosen(); });
    m_loaded = true;
}

bool PrintRunDialog::confirm() const
{
    return m_confirm->isChecked();
}

void PrintRunDialog::showEvent(QShowEvent *event)
{
    m_choice = 0; // closing any other way than by a button is a cancel
    if (QWidget *frame = parentWidget()) {
        adjustSize();
        const QPoint centre = frame->mapToGlobal(frame->rect().center());
        move(centre - QPoint(width() / 2, height() / 2));
    }
    QDialog::showEvent(event);
}

void PrintRunDialog::printerChosen()
{
    if (!m_loaded || !m_havePrinters || m_printers->currentIndex() < 0)
        return;
    // The choice holds for this run and the following ones.
    PrinterChoice::setPrinterName(m_printers->currentText());
}
