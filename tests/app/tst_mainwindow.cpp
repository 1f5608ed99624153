#include "app/ui/helpwindow.h"
#include "app/ui/mainwindow.h"
#include "app/ui/translations.h"
#include "platform/widgets/windowplacement.h"
#include "recipe/vocabularyfile.h"
#include "testsupport.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>

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
    void versionItem_data();
    void versionItem();
    void helpNamesTheFolderInUse();
    void endStoresLeftAsXAndTopAsY();
    void upgradeRegeneratesTheVocabulary();
    void closedListWindowComesBack();
    void offScreenPositionComesBack_data();
    void offScreenPositionComesBack();
    void qtTextsAreJapanese();
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
    // A print run that chose 印刷イメージ turns the switch on; the menu shows it.
    state.previewMode = 1;
    Q_EMIT w.findChild<QMenu *>(u"mnu_frmfile"_s)->aboutToShow();
    QVERIFY(preview->isChecked());
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

void TestMainWindow::versionItem_data()
{
    QTest::addColumn<QString>("homePage");
    QTest::addColumn<QString>("where");
    QTest::newRow("the built-in help")
        << QString() << u"使いかたは、ファイルメニューの「ヘルプ(便利な使いかた)」に有ります。"_s;
    QTest::newRow("a configured home page")
        << u"https://example.jp/qv/"_s << u"最新版は、https://example.jp/qv/ に有ります。"_s;
}

void TestMainWindow::versionItem()
{
    QFETCH(QString, homePage);
    QFETCH(QString, where);
    TempProgramFolder home;
    Frame frame;
    frame.window.start(QString());
    if (!homePage.isEmpty())
        frame.state.settings->writeSetting(QString(), u"HOMEPAGE"_s, homePage);
    frame.prompts.shown.clear();
    frame.window.menuItem(u"mnu_Version"_s)->trigger();
    QCOMPARE(frame.prompts.shown.size(), 1);
    const ScriptedPrompts::Shown &box = frame.prompts.shown.front();
    QCOMPARE(box.title, u"バージョン情報"_s);
    QCOMPARE(box.icon, Prompts::Icon::Information);
    const QString program = QApplication::applicationFilePath().section(u'/', -1).toLower();
    QCOMPARE(box.text, u"レシピ帳 ～ 毎日のおかずと保存版レシピ ～ "_s + program +
                           u".exe  Ver 2.01.00\r\n\r\n"_s + where +
                           u"\r\n\r\n友達などに宣伝してくれるとうれしいです（＾＾）"_s);
}

void TestMainWindow::helpNamesTheFolderInUse()
{
    TempProgramFolder home;
    Frame frame;
    frame.window.start(QString());
    frame.window.menuItem(u"mnu_home"_s)->trigger();
    QPointer<HelpWindow> help = Help::openWindow();
    QVERIFY(help);
    const QStringList lines = help->browser()->toPlainText().split(u'\n');
    const QString prefix = u"いま使っているフォルダー: "_s;
    const auto line = std::find_if(lines.begin(), lines.end(),
                                   [&](const QString &l) { return l.startsWith(prefix); });
    QVERIFY(line != lines.end());
    QCOMPARE(*line, prefix + QDir::toNativeSeparators(home.path()));
    delete help;
}

void TestMainWindow::endStoresLeftAsXAndTopAsY()
{
    TempProgramFolder home;
    Frame frame;
    MainWindow &w = frame.window;
    w.start(QString());
    w.move(150, 90);
    QCOMPARE(w.pos(), QPoint(150, 90));
    w.menuItem(u"mnu_end"_s)->trigger();
    QVERIFY(!w.isVisible());
    const double t = WindowPlacement::twipsPerPixel(&w);
    const SettingsFile &settings = *frame.state.settings;
    QCOMPARE(settings.readSetting(QString(), u"X"_s), QString::number(std::lround(150 * t)));
    QCOMPARE(settings.readSetting(QString(), u"Y"_s), QString::number(std::lround(90 * t)));
}

void TestMainWindow::upgradeRegeneratesTheVocabulary()
{
    TempProgramFolder home;
    home.write(u"QVRECIPE.ini"_s, cp932Lines({u"[QVRECIPE]"_s, u"VERSION=2.00.00"_s}));
    home.write(u"qvrecipe.txt"_s, cp932Lines({u"[目的]"_s, u"古い"_s}));
    Frame frame;
    QVERIFY(frame.window.start(QString()));
    QCOMPARE(home.read(u"qvrecipe.txt"_s), VocabularyFile::defaultBytes());
    QCOMPARE(frame.prompts.shown.size(), 1);
    QCOMPARE(frame.prompts.shown.front().title, u"バージョン情報"_s);
}

void TestMainWindow::closedListWindowComesBack()
{
    TempProgramFolder home;
    Frame frame;
    MainWindow &w = frame.window;
    w.start(QString());
    QPointer<QWidget> list = w.listWindow();
    auto *sub = qobject_cast<QMdiSubWindow *>(list->parentWidget());
    QVERIFY(sub);
    QVERIFY(sub->close());
    QTRY_VERIFY(w.menuItem(u"mnu_Frmcrd"_s)->isEnabled());
    QVERIFY(!w.menuItem(u"mnu_FileRead"_s)->isVisible());

    w.menuItem(u"mnu_Frmcrd"_s)->trigger();
    QCOMPARE(w.listWindow(), list.data());
    QVERIFY(list->isVisible());
    QVERIFY(!w.menuItem(u"mnu_Frmcrd"_s)->isEnabled());
    QVERIFY(w.menuItem(u"mnu_FileRead"_s)->isVisible());
}

void TestMainWindow::offScreenPositionComesBack_data()
{
    QTest::addColumn<QRect>("window");
    QTest::addColumn<QList<QRect>>("screens");
    QTest::addColumn<QPoint>("expected");
    const QRect left(0, 0, 1920, 1080);
    const QRect right(1920, 0, 1280, 1024);
    QTest::newRow("on the screen")
        << QRect(100, 80, 800, 577) << QList<QRect>{left} << QPoint(100, 80);
    QTest::newRow("partly off the right edge, title reachable")
        << QRect(1700, 80, 800, 577) << QList<QRect>{left} << QPoint(1700, 80);
    QTest::newRow("on a monitor since unplugged")
        << QRect(2400, 300, 800, 577) << QList<QRect>{left} << QPoint(1120, 300);
    QTest::newRow("still on the second monitor")
        << QRect(2400, 300, 800, 577) << QList<QRect>{left, right} << QPoint(2400, 300);
    QTest::newRow("title above the top edge")
        << QRect(300, -40, 800, 577) << QList<QRect>{left} << QPoint(300, 0);
    QTest::newRow("far off to the lower left")
        << QRect(-5000, 9000, 800, 577) << QList<QRect>{left, right} << QPoint(0, 503);
    QTest::newRow("larger than the screen")
        << QRect(-3000, 0, 2000, 1200) << QList<QRect>{left} << QPoint(0, 0);
}

void TestMainWindow::offScreenPositionComesBack()
{
    QFETCH(QRect, window);
    QFETCH(QList<QRect>, screens);
    QFETCH(QPoint, expected);
    QCOMPARE(WindowPlacement::visiblePosition(window, screens), expected);
}

void TestMainWindow::qtTextsAreJapanese()
{
    QVERIFY(installJapaneseTranslations());
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel | QMessageBox::Yes |
                           QMessageBox::No);
    QCOMPARE(box.button(QMessageBox::Ok)->text(), u"OK"_s);
    QCOMPARE(box.button(QMessageBox::Cancel)->text(), u"キャンセル"_s);
    QCOMPARE(box.button(QMessageBox::Yes)->text(), u"はい(&Y)"_s);
    QCOMPARE(box.button(QMessageBox::No)->text(), u"いいえ(&N)"_s);

    QFileDialog dialog(nullptr, QString(), QDir::tempPath());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    QCOMPARE(dialog.labelText(QFileDialog::LookIn), u"アドレス:"_s);
    QCOMPARE(dialog.labelText(QFileDialog::FileName), u"ファイル名(&N):"_s);
    QCOMPARE(dialog.labelText(QFileDialog::Accept), u"開く(&O)"_s);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
