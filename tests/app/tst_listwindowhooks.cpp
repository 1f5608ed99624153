#include "app/ui/listwindowhooks.h"
#include "app/ui/mainwindow.h"
#include "print/engine/drawsurface.h"
#include "print/nextsheetprompt.h"
#include "print/ui/printrunner.h"
#include "testsupport.h"

#include "viewer/ui/cardsurface.h"
#include "viewer/ui/cardviewerwindow.h"

#include <QApplication>
#include <QClipboard>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

// The frame with the real list window and its commands, as the program runs.
class TestListWindowHooks : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void clipOption_data();
    void clipOption();
    void cardsOfTheListOpenTheClickedRecipe();
    void blankClipboardChangesNothing();
    void exportMenuPutsTheShownRecipeOnTheClipboard();
    void previewRunFromThePrintButton();

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

void TestListWindowHooks::clipOption_data()
{
    QTest::addColumn<QString>("commandLine");
    QTest::addColumn<QString>("dishName");
    QTest::newRow("/clip") << u"/clip"_s << u"肉じゃが"_s;
    QTest::newRow("/clip2") << u"/clip2"_s << QString();
}

void TestListWindowHooks::clipOption()
{
    QFETCH(QString, commandLine);
    QFETCH(QString, dishName);
    QGuiApplication::clipboard()->setText(
        u"肉じゃが\r\n材料（2人分）\r\n牛肉 150g\r\nじゃがいも 3個\r\n作り方\r\n"
        u"1. 切る。\r\n2. 煮る。\r\n"_s);
    // Start-up presses Cmd_kaiseki while the frame is still disabled.
    QVERIFY(m_frame->start(commandLine));
    auto *list = qobject_cast<RecipeListWindow *>(m_frame->listWindow());
    QVERIFY(list);
    QCOMPARE(list->form().Txt_key1, dishName);
    QVERIFY(m_frame->isEnabled());
    // Nothing is stored until the user adds the recipe.
    QCOMPARE(list->list()->count(), 3);
}

void TestListWindowHooks::cardsOfTheListOpenTheClickedRecipe()
{
    QVERIFY(m_frame->start(QString()));
    auto *list = qobject_cast<RecipeListWindow *>(m_frame->listWindow());
    list->list()->setCurrentRow(1);
    QList<int> cards;
    bool stayedOpen = false;
    QTimer::singleShot(0, this, [&] {
        auto *viewer = qobject_cast<CardViewerWindow *>(QApplication::activeModalWidget());
        QVERIFY(viewer);
        QVERIFY(QTest::qWaitForWindowExposed(viewer));
        cards = viewer->cardPositions();
        CardSurface *surface = viewer->surface();
        // The empty sixth place opens nothing.
        QTest::mouseClick(surface, Qt::LeftButton, {},
                          QPoint(surface->width() * 5 / 6, surface->height() * 3 / 4));
        stayedOpen = viewer->isVisible();
        QTest::mouseClick(surface, Qt::LeftButton, {},
                          QPoint(surface->width() / 6, surface->height() / 4));
    });
    list->findChild<QPushButton *>(u"Command1"_s)->click();
    QCOMPARE(cards, (QList<int>{1, 2}));
    QVERIFY(stayedOpen);
    QCOMPARE(list->form().Txt_key1, u"ラーメン焼きそば"_s);
    QCOMPARE(list->form().shownRecordNo, 3);
    QCOMPARE(list->list()->currentRow(), 1);
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

void TestListWindowHooks::previewRunFromThePrintButton()
{
    QStringList log;
    QList<PageRequest> requests;
    class OneLinePages : public PageComposer
    {
    public:
        OneLinePages(DrawSurface &surface, QList<PageRequest> &requests)
            : m_surface(surface), m_requests(requests)
        {}
        PageResult composeRecipePage(const PageRequest &r) override
        {
            m_requests << r;
            m_surface.setCurrentX(r.left);
            m_surface.setCurrentY(20);
            m_surface.printText(u"page"_s);
            return {r.page >= 3, QString()};
        }

    private:
        DrawSurface &m_surface;
        QList<PageRequest> &m_requests;
    };
    PrintRunner::setComposerFactory(
        [&](DrawSurface &surface, const PageLayout &, PageComposer::SheetPrompt) {
            return std::make_unique<OneLinePages>(surface, requests);
        });
    QVERIFY(m_frame->start(QString()));
    auto *list = qobject_cast<RecipeListWindow *>(m_frame->listWindow());
    m_prompts.shown.clear(); // the version box of the first start

    // Plays the user: 印刷イメージ in the dialog, then OK on every preview.
    QTimer user;
    user.setInterval(5);
    connect(&user, &QTimer::timeout, this, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        if (modal->objectName() == u"qvpri_bx"_s) {
            log << u"dialog"_s;
            modal->findChild<QPushButton *>(u"cmd_run_2"_s)->click();
        } else if (modal->objectName() == u"QVprintV"_s) {
            const QWidget *progress = m_frame->findChild<QWidget *>(u"PrintProgress"_s);
            log << u"preview: list %1, menus %2, progress %3"_s.arg(
                list->isEnabled() ? u"on"_s : u"off"_s,
                m_frame->menuBar()->isEnabled() ? u"on"_s : u"off"_s,
                progress && progress->isVisible() ? u"shown"_s : u"hidden"_s);
            modal->findChild<QPushButton *>(u"Cmd_ok"_s)->click();
        }
    });
    user.start();
    list->findChild<QPushButton *>(u"Cmd_print"_s)->click();
    user.stop();
    PrintRunner::setComposerFactory({});

    const QString preview = u"preview: list off, menus off, progress shown"_s;
    QCOMPARE(log, (QStringList{u"dialog"_s, preview, preview, preview}));
    QStringList prompts;
    for (const ScriptedPrompts::Shown &shown : m_prompts.shown)
        prompts << shown.text;
    QCOMPARE(prompts, QStringList(2, NextSheetPrompt::text(2)));
    QCOMPARE(requests.size(), 3);
    QCOMPARE(requests.at(2).page, 3);
    QCOMPARE(requests.at(0).recipeFile, list->recipeFile());
    QCOMPARE(requests.at(0).categoryLabel, u"全て"_s);
    QCOMPARE(requests.at(0).startRecord, -1);
    QVERIFY(requests.at(0).continuationAllowed);
    QVERIFY(list->isEnabled());
    QVERIFY(m_frame->menuBar()->isEnabled());
    QVERIFY(!QGuiApplication::overrideCursor());
    QCOMPARE(m_state->previewMode, int16_t(1));
}

QTEST_MAIN(TestListWindowHooks)
#include "tst_listwindowhooks.moc"
