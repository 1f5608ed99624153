#include "print/ui/printprogresswindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

PrintProgressWindow::PrintProgressWindow(bool preview, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowTitleHint | Qt::CustomizeWindowHint), m_preview(preview)
{
    setObjectName(u"PrintProgress"_s);
    setWindowTitle(preview ? u"印刷イメージ"_s : u"印刷"_s);
    m_text = new QLabel(this);
    m_text->setObjectName(u"lbl_progress"_s);
    m_text->setMinimumWidth(300);
    m_cancelButton = new QPushButton(u"ｷｬﾝｾﾙ"_s, this);
    m_cancelButton->setObjectName(u"cmd_cancel"_s);
    connect(m_cancelButton, &QPushButton::clicked, this, [this] { requestCancel(); });
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cancelButton);
    auto *top = new QVBoxLayout(this);
    top->addWidget(m_text);
    top->addLayout(buttons);
}

void PrintProgressWindow::sheetStarted(int sheet, int page)
{
    if (m_cancel)
        return;
    m_text->setText(u"%1枚目 (%2ページから) を%3しています。"_s.arg(sheet).arg(page).arg(
        m_preview ? u"表示"_s : u"印刷"_s));
    if (!isVisible()) {
        show();
        if (QWidget *frame = parentWidget()) {
            const QRect area = frame->geometry();
            move(area.right() - width() - 16, area.top() + 40);
        }
    }
}

void PrintProgressWindow::requestCancel()
{
    m_cancel = true;
    m_cancelButton->setEnabled(false);
    m_text->setText(u"この用紙の後で印刷を中止します。"_s);
}
