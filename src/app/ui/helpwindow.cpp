#include "app/ui/helpwindow.h"

#include "app/appstate.h"
#include "platform/widgets/windowplacement.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

HelpWindow::HelpWindow(const QString &programDir, QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(u"helpWindow"_s);
    setWindowTitle(u"QVRECIPE 使いかた"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(u"helpText"_s);
    m_browser->setOpenExternalLinks(true);
    QFile page(u":/help.html"_s);
    page.open(QIODevice::ReadOnly);
    m_browser->setHtml(
        QString::fromUtf8(page.readAll())
            .replace(u"{PROGRAM_DIR}"_s, QDir::toNativeSeparators(programDir).toHtmlEscaped()));
    auto *close = new QPushButton(u"閉じる"_s, this);
    close->setObjectName(u"Cmd_cancel"_s);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_browser, 1);
    layout->addLayout(buttons);
    resize(640, 560);
}

namespace Help {

namespace {
QPointer<HelpWindow> &current()
{
    static QPointer<HelpWindow> window;
    return window;
}
} // namespace

QString configuredAddress(const AppState &state, const QString &key)
{
    return state.settings ? state.settings->readSetting(QString(), key) : QString();
}

void open(const AppState &state, const QString &key, QWidget *parent)
{
    const QString address = configuredAddress(state, key);
    if (!address.isEmpty()) {
        QDesktopServices::openUrl(QUrl::fromUserInput(address));
        return;
    }
    if (!current()) {
        current() = new HelpWindow(state.programDir, parent ? parent->window() : nullptr);
        current()->show();
        WindowPlacement::centreOn(current(), parent);
    }
    current()->show();
    current()->raise();
    current()->activateWindow();
}

HelpWindow *openWindow()
{
    return current();
}

} // namespace Help
