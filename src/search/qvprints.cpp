#include "search/qvprints.h"

#include "app/appstate.h"
#include "platform/textclipboard.h"
#include "platform/widgets/windowplacement.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
constexpr int ownerMarginTwips = 200;
} // namespace

QvprintS::QvprintS(AppState &state, TextClipboard &clipboard, QWidget *mainWindow)
    : QDialog(mainWindow), m_state(state)
{
    setObjectName(u"QvprintS"_s);
    setWindowTitle(u"検索"_s);
    setModal(true);

    m_text = new QLineEdit(this);
    m_text->setObjectName(u"Text1"_s);
    m_text->setMinimumWidth(260);
    const std::pair<const char16_t *, const char16_t *> captions[] = {
        {u"Command1_0", u"検索"}, {u"Command1_1", u"次検索"}, {u"Cmd_cancel", u"ｷｬﾝｾﾙ"}};
    auto *buttons = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        auto *b = new QPushButton(QString::fromUtf16(captions[i].second), this);
        b->setObjectName(QString::fromUtf16(captions[i].first));
        // Enter belongs to Text1 (it means "検索"), not to whichever button has focus.
        b->setAutoDefault(false);
        buttons->addWidget(b);
        if (i < 2)
            connect(b, &QPushButton::clicked, this, [this, i] { choose(i); });
        else
            connect(b, &QPushButton::clicked, this, &QDialog::reject);
    }
    connect(m_text, &QLineEdit::returnPressed, this, [this] { choose(0); });
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addLayout(buttons);

    m_state.quickSearchResult = -1;
    if (clipboard.hasText()) {
        m_text->setText(clipboard.text().trimmed());
        clipboard.clear();
        m_state.quickSearchText = m_text->text();
    } else {
        m_text->setText(m_state.quickSearchText);
    }
    m_text->selectAll();

    adjustSize();
    const QScreen *screen = mainWindow && mainWindow->screen() ? mainWindow->screen()
                                                               : QGuiApplication::primaryScreen();
    const QRect screenRect = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const QRect frame = mainWindow ? mainWindow->frameGeometry() : screenRect;
    move(placement(frame, frameGeometry().size(), m_state.quickSearchOwner, screenRect,
                   WindowPlacement::twipsToPixels(mainWindow, ownerMarginTwips)));
}

QPoint QvprintS::placement(const QRect &mainWindow, const QSize &own, int owner,
                           const QRect &screen, int margin)
{
    int top = mainWindow.top() + (mainWindow.height() - own.height()) / 2;
    int left = mainWindow.left() + margin;
    if (owner == 1)
        left = mainWindow.left() + (mainWindow.width() - own.width()) / 2;
    else if (owner == 2)
        left = mainWindow.left() + mainWindow.width() - own.width() - margin;
    if (top + own.height() > screen.bottom() + 1)
        top = screen.bottom() + 1 - own.height();
    if (top < screen.top())
        top = screen.top();
    return {left, top};
}

void QvprintS::choose(int index)
{
    m_state.quickSearchResult = int16_t(index);
    accept();
}

void QvprintS::done(int result)
{
    // Whichever way the box closes, its text is kept for the next time.
    m_state.quickSearchText = m_text->text();
    QDialog::done(result);
}

int QvprintS::ask(AppState &state, TextClipboard &clipboard, QWidget *mainWindow, QString &text)
{
    state.quickSearchText = text;
    QvprintS box(state, clipboard, mainWindow);
    box.exec();
    text = state.quickSearchText;
    return state.quickSearchResult;
}
