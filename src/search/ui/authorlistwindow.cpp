#include "search/ui/authorlistwindow.h"

#include "app/appstate.h"
#include "platform/programfolder.h"
#include "platform/widgets/windowplacement.h"
#include "search/authortext.h"

#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QPlainTextEdit *readOnlyText(QWidget *parent, const QString &name)
{
    auto *edit = new QPlainTextEdit(parent);
    edit->setObjectName(name);
    // Read-only still lets the user select with mouse or keyboard and copy.
    edit->setReadOnly(true);
    edit->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    return edit;
}

const QString invitation = u"あなたのレシピデータも紹介させてください。"
                           u"ご応募は recipe@qvrecipe.example.jp までお送りください。"_s;

} // namespace

AuthorListWindow::AuthorListWindow(const QString &recipeFile, QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(u"QVRCP_NM"_s);
    setWindowTitle(u"レシピデータの作者さん紹介"_s);

    m_text = readOnlyText(this, u"Text1"_s);
    QPlainTextEdit *text2 = readOnlyText(this, u"Text2"_s);
    text2->setPlainText(invitation);
    text2->setMaximumHeight(text2->fontMetrics().lineSpacing() * 4);
    auto *close = new QPushButton(u"閉じる"_s, this);
    close->setObjectName(u"Cmd_cancel"_s);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_text, 1);
    layout->addWidget(text2);
    layout->addWidget(close, 0, Qt::AlignRight);

    connect(close, &QPushButton::clicked, this, &QWidget::close);
    resize(420, 360);
    reload(recipeFile);
}

void AuthorListWindow::reload(const QString &recipeFile)
{
    // The built text uses CR LF; the text box wants plain line feeds.
    QString text = AuthorText::buildFromFile(recipeFile);
    text.replace(u"\r\n"_s, u"\n"_s);
    m_text->setPlainText(text);
}

AuthorListWindow *openAuthorList(AppState &state, QWidget *parent)
{
    static QPointer<AuthorListWindow> open;
    const QString file = ProgramFolder::resolve(state.currentRecipeFileName);
    if (open) {
        open->reload(file);
    } else {
        open = new AuthorListWindow(file, parent);
        open->setAttribute(Qt::WA_DeleteOnClose);
        WindowPlacement::centreOn(open, parent);
    }
    open->show();
    open->raise();
    open->activateWindow();
    return open;
}
