#include "app/ui/splashwindow.h"

#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

SplashWindow::SplashWindow(const QString &versionText, QWidget *mainWindow)
    : QWidget(mainWindow, Qt::Tool | Qt::FramelessWindowHint)
{
    setObjectName(u"QVRCP_ST"_s);
    setWindowTitle(u"QVRECIPE"_s);
    setAttribute(Qt::WA_DeleteOnClose, false);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xFF, 0xF8, 0xE7));
    setPalette(pal);

    auto *picture = new QLabel(this);
    picture->setObjectName(u"picture"_s);
    picture->setPixmap(QPixmap(u":/splash.png"_s));
    picture->setAlignment(Qt::AlignCenter);
    auto *title = new QLabel(u"QVRECIPE レシピ帳"_s, this);
    title->setObjectName(u"lbl_title"_s);
    QFont titleFont = title->font();
    titleFont.setPointSize(18);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);
    m_version = new QLabel(u"Ver "_s + versionText, this);
    m_version->setObjectName(u"lbl_version"_s);
    m_version->setAlignment(Qt::AlignCenter);
    auto *loading = new QLabel(u"データを読み込んでいます、しばらくお待ちください"_s, this);
    loading->setObjectName(u"lbl_loading"_s);
    loading->setAlignment(Qt::AlignCenter);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 20);
    layout->addWidget(picture);
    layout->addWidget(title);
    layout->addWidget(m_version);
    layout->addSpacing(12);
    layout->addWidget(loading);
    adjustSize();

    if (mainWindow) {
        const QRect main = mainWindow->frameGeometry();
        move(main.left() + (main.width() - width()) / 2,
             main.top() + (main.height() - height()) / 2);
    }
}
