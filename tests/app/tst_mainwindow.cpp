#include "app/ui/mainwindow.h"
#include "testsupport.h"

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A frame whose message boxes a script answers.
struct Frame
{
    Frame() : window(state) { window.setPrompts(&prompts); }
    AppState state;
    MainWindow window;
    ScriptedPrompts prompts;
};

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void firstStartShowsVersionBoxOnce();
    void recipeModeTexts();
    void optionsModeReturnsToRecipeItems();
    void recipeMenuTwiceOnlyRaises();
    void previewToggle();
    void fileMenuPressesListButtons();
    void maximisedCloseKeepsPosition();
};

void TestMainWindow::firstStartShowsVersionBoxOnce()
{
    TempProgramFolder home;
    {
        AppState state;
        MainWindow w(state);
        ScriptedPrompts prompts;
        w.setPrompts(&prompts);
        QVERIFY(w.start(QString()));
        QVERIFY(w.isEnabled());
        QCOMPARE(prompts.shown.size(), 1);
        QCOMPARE(prompts.shown.front().title, u"バージョン情報"_s);
        QCOMPARE(prompts.shown.front().icon, Prompts::Icon::Information);
        const QStringList paragraphs = prompts.lastText().split(u"\r\n\r\n"_s);
        QCOMPARE(paragraphs.size(), 3);
        QVERIFY(paragraphs[0].endsWith(
            u" "_s + QApplication::applicationFilePath().section(u'/', -1).toLower() +
            u".exe  Ver 2.01.00"_s));
        QVERIFY(paragraphs[1].startsWith(u"最新版は、"_s));
        QVERIFY(paragraphs[1].endsWith(u" に有ります。"_s));
        QCOMPARE(paragraphs[2], u"友達などに宣伝してくれるとうれしいです（＾＾）"_s);
        QVERIFY(QFile::exists(home.file(u"qvrecipe.txt"_s)));
        w.setAttribute(Qt::WA_DeleteOnClose, false);
    }
    AppState state;
    MainWindow w(state);
    ScriptedPrompts prompts;
    w.setPrompts(&prompts);
    QVERIFY(w.start(QString()));
    QVERIFY(prompts.shown.isEmpty());
}

void TestMainWindow::recipeModeTexts()
{
    TempProgramFolder home;
    Frame frame;
    MainWindow &w = frame.window;
    w.start(QString());
    const std::pair<const char16_t *, const char16_t *> expected[] = {
        {u"mnu_FileSearch", u"検索"},
        {u"mnu_FileRead", u"レシピファイルの切替え(読込)"},
        {u"mnu_FileWrite", u"新規レシピファイル作成"},
        {u"mnu_FileImport", u"レシピファイルをインポート"},
        {u"mnu_FileExport", u"表示レシピをクリップボードにセット"},
        {u"mnu_help", u"ヘルプ(便利な使いかた)"},
    };
    for (const auto &[name, text] : expected) {
        QAction *item = w.menuItem(QString::fromUtf16(name));
        QCOMPARE(item->text(), QString::fromUtf16(text));
        QVERIFY(item->isVisible());
    }
    QVERIFY(!w.menuItem(u"mnu_Frmcrd"_s)->isEnabled());
    QVERIFY(w.listWindow());
}

void TestMainWindow::optionsModeReturnsToRecipeItems()
{
    TempProgramFolder home;
    Frame frame;
    MainWindow &w = frame.window;
    w.start(QString());
    int optionsShown = 0;
    MainWindow::setOptionsDialogRunner([&optionsShown](MainWindow &) { ++optionsShown; });
    w.menuItem(u"mnu_option"_s)->trigger();
    MainWindow::setOptionsDialogRunner({});
    QCOMPARE(optionsShown, 1);
    QCOMPARE(w.menuItem(u"mnu_FileRead"_s)->text(), u"レシピファイルの切替え(読込)"_s);
    QVERIFY(w.menuItem(u"mnu_FileRead"_s)->isVisible());
}

void TestMainWindow::recipeMenuTwiceOnlyRaises()
{
    TempProgramFolder home;
    Frame frame;
    MainWindow &w = frame.window;
    w.start(QString());
    QWidget *list = w.listWindow();
    w.switchMenuMode(u"crd"_s);
    QCOMPARE(w.listWindow(), list);
}

void TestMainWindow::previewToggle()
{
    TempProgramFolder home;
    AppState state;
    MainWindow w(state);
    QAction *preview = w.menuItem(u"mnu_preview"_s);
    preview->trigger();
    QCOMPARE(int(state.previewMode), 1);
    QVERIFY(preview->isChecked());
    preview->trigger();
    QCOMPARE(int(state.previewMode), 0);
    QVERIFY(!preview->isChecked());
}

void TestMainWindow::fileMenuPressesListButtons()
{
    TempProgramFolder home;
    QStringList pressed;
    MainWindow::setListWindowFactory([&pressed](MainWindow &) {
        auto *list = new QWidget;
        for (const char16_t *name : {u"Cmd_FileRead", u"Cmd_FileWrite", u"Cmd_Fileimport",
                                     u"Cmd_FileExport", u"Cmd_FileSearch", u"Cmd_help"}) {
            auto *button = new QPushButton(list);
            button->setObjectName(QString::fromUtf16(name));
            QObject::connect(button, &QPushButton::clicked, button,
                             [&pressed, button] { pressed << button->objectName(); });
        }
        return list;
    });
    AppState state;
    MainWindow w(state);
    ScriptedPrompts prompts;
    w.setPrompts(&prompts);
    w.start(QString());
    MainWindow::setListWindowFactory({});
    for (const char16_t *item : {u"mnu_FileRead", u"mnu_FileWrite", u"mnu_FileImport",
                                 u"mnu_FileExport", u"mnu_FileSearch", u"mnu_help"})
        w.menuItem(QString::fromUtf16(item))->trigger();
    QCOMPARE(pressed, (QStringList{u"Cmd_FileRead"_s, u"Cmd_FileWrite"_s, u"Cmd_Fileimport"_s,
                                   u"Cmd_FileExport"_s, u"Cmd_FileSearch"_s, u"Cmd_help"_s}));
}

void TestMainWindow::maximisedCloseKeepsPosition()
{
    TempProgramFolder home;
    Frame frame;
    MainWindow &w = frame.window;
    w.start(QString());
    const QString x = frame.state.settings->readSetting(QString(), u"X"_s);
    w.showMaximized();
    w.setWindowState(Qt::WindowMaximized);
    w.close();
    QCOMPARE(frame.state.settings->readSetting(QString(), u"X"_s), x);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
