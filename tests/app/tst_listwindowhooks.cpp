#include "app/ui/listwindowhooks.h"
#include "app/ui/mainwindow.h"
#include "testsupport.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QListWidget>
#include <QTest>

using namespace Qt::StringLiterals;

// The frame with the real list window and its commands, as the program runs.
class TestListWindowHooks : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void clipOptionAnalysesWhileTheFrameIsStillDisabled();
    void blankClipboardChangesNothing();
    void exportMenuPutsTheShownRecipeOnTheClipboard();

private:
    std::unique_ptr<TempProgramFolder> m_home;
    std::unique_ptr<AppState> m_state;
    std::unique_ptr<MainWindow> m_frame;
    ScriptedPrompts m_prompts;
    FixedClock m_clock;
};

void TestListWindowHooks::init()
{
    m_home = std::make_unique<TempProgramFolder>();
    m_state = std::make_unique<AppState>();
    m_state->clock = &m_clock;
    MainWindow::setListWindowFactory([](MainWindow &frame) -> QWidget * {
        return new RecipeListWindow(frame.state(), frame.prompts(), *frame.state().clock,
                                    makeListWindowHooks());
    });
    m_frame = std::make_unique<MainWindow>(*m_state);
    m_frame->setPrompts(&m_prompts);
}

void TestListWindowHooks::cleanup()
{
    m_frame.reset();
    m_state.reset();
    m_home.reset();
    MainWindow::setListWindowFactory({});
}

void TestListWindowHooks::clipOptionAnalysesWhileTheFrameIsStillDisabled()
{
    QGuiApplication::clipboard()->setText(
        u"肉じゃが\r\n材料（2人分）\r\n牛肉 150g\r\nじゃがいも 3個\r\n作り方\r\n"
        u"1. 切る。\r\n2. 煮る。\r\n"_s);
    // This test program's name has lower-case letters, so "/clip" is not honoured.
    QVERIFY(m_frame->start(u"/clip"_s));
    auto *list = qobject_cast<RecipeListWindow *>(m_frame->listWindow());
    QVERIFY(list);
    QVERIFY(list->form().Txt_key1.isEmpty());
    // Start-up runs the analysis before it enables the frame.
    m_frame->setEnabled(false);
    m_frame->runClipboardAnalysis();
    QCOMPARE(list->form().Txt_key1, u"肉じゃが"_s);
    QVERIFY(list->form().txt_yobi[0].contains(u"じゃがいも"_s));
    QCOMPARE(list->form().Txt_biko[0], u"2"_s);
    // Nothing is stored until the user adds the recipe.
    QCOMPARE(list->list()->count(), 3);
}

void TestListWindowHooks::blankClipboardChangesNothing()
{
    QGuiApplication::clipboard()->setText(u"  \r\n "_s);
    QVERIFY(m_frame->start(QString()));
    auto *list = qobject_cast<RecipeListWindow *>(m_frame->listWindow());
    list->form().Txt_key1 = u"そのまま"_s;
    m_frame->runClipboardAnalysis();
    QCOMPARE(list->form().Txt_key1, u"そのまま"_s);
}

void TestListWindowHooks::exportMenuPutsTheShownRecipeOnTheClipboard()
{
    QVERIFY(m_frame->start(QString()));
    auto *list = qobject_cast<RecipeListWindow *>(m_frame->listWindow());
    QVERIFY(list->selectRecord(3));
    list->showSelected();
    m_frame->menuItem(u"mnu_FileExport"_s)->trigger();
    QVERIFY(QGuiApplication::clipboard()->text().startsWith(u"■ラーメン焼きそば\r\n\r\n"_s));
}

QTEST_MAIN(TestListWindowHooks)
#include "tst_listwindowhooks.moc"
