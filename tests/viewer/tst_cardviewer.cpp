#include "recipe/recipefileformat.h"
#include "recipe/recordcodec.h"
#include "testsupport.h"
#include "viewer/ui/cardsurface.h"
#include "viewer/ui/cardviewerwindow.h"

#include <QFileInfo>
#include <QMap>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;

class TestCardViewer : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void pagesThroughTheList();
    void randomCardsDisablePaging();
    void clickedCardOpensItsRecipe();
    void randomCardsOpenTheRecipeShown();
    void keepsItsMinimumSize();
    void emptyListHasNoPages();
    void resizeKeepsTheRandomCards();
    void picturesAreDecodedOnce();

private:
    CardViewerSession session(int selected);

    std::unique_ptr<TempProgramFolder> m_folder;
    QList<int> m_selections;
    QList<int> m_opened;
};

void TestCardViewer::init()
{
    m_folder = std::make_unique<TempProgramFolder>();
    QStringList lines = {RecipeFileFormat::RecipeFileHeader};
    for (int i = 0; i < 8; ++i) {
        RecipeRecord r;
        r.setField(RecipeRecord::DishName, u"dish %1"_s.arg(i));
        r.setField(RecipeRecord::Ingredients, u"salt"_s);
        lines.append(RecordCodec::writeRecordLine(r));
    }
    m_folder->write(u"r.csv"_s, cp932Lines(lines));
    m_selections.clear();
    m_opened.clear();
}

void TestCardViewer::cleanup()
{
    m_folder.reset();
}

CardViewerSession TestCardViewer::session(int selected)
{
    CardViewerSession s;
    for (int i = 0; i < 8; ++i)
        s.entries.append({i + 2, u"dish %1"_s.arg(i)});
    s.selected = selected;
    s.recipeFile = m_folder->file(u"r.csv"_s);
    s.selectionChanged = [this](int position) { m_selections.append(position); };
    s.openRecipe = [this](int recordNo) { m_opened.append(recordNo); };
    return s;
}

// Paging back and forth and resizing draw the cards again; the photos on
// them are decoded once (for a size that covers the smaller card too).
void TestCardViewer::picturesAreDecodedOnce()
{
    QStringList lines = {RecipeFileFormat::RecipeFileHeader};
    for (int i = 0; i < 8; ++i) {
        RecipeRecord r;
        r.setField(RecipeRecord::DishName, u"dish %1"_s.arg(i));
        r.setField(RecipeRecord::Picture, u"p%1.jpg"_s.arg(i));
        lines.append(RecordCodec::writeRecordLine(r));
    }
    m_folder->write(u"r.csv"_s, cp932Lines(lines));
    QMap<QString, int> loads;
    QList<QSize> bounds;
    CardViewerSession s = session(0);
    s.loadPicture = [&](const QString &path, QSize bound) {
        ++loads[QFileInfo(path).fileName()];
        bounds.append(bound);
        QImage picture(qMin(bound.width(), 400), qMin(bound.height(), 300), QImage::Format_RGB32);
        picture.fill(Qt::red);
        return picture;
    };
    CardViewerWindow window(std::move(s));
    window.resize(760, 560);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.findChild<QPushButton *>(u"cmd_page_1"_s)->click();
    window.findChild<QPushButton *>(u"cmd_page_0"_s)->click();
    window.resize(700, 520);
    QTRY_COMPARE(window.surface()->size().width() < 700, true);
    window.drawCards(false);
    QCOMPARE(loads.size(), 8);
    for (auto it = loads.cbegin(); it != loads.cend(); ++it)
        QVERIFY2(it.value() == 1, qPrintable(it.key()));
    // Each was decoded for a square of a power of two, not at full size.
    for (const QSize &bound : std::as_const(bounds))
        QVERIFY(bound.width() == bound.height() && bound.width() >= 256 && bound.width() <= 512);
}

void TestCardViewer::pagesThroughTheList()
{
    CardViewerWindow window(session(0));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *previous = window.findChild<QPushButton *>(u"cmd_page_0"_s);
    auto *next = window.findChild<QPushButton *>(u"cmd_page_1"_s);
    QCOMPARE(window.cardPositions(), (QList<int>{0, 1, 2, 3, 4, 5}));
    QVERIFY(!previous->isEnabled());
    QVERIFY(next->isEnabled());

    next->click();
    QCOMPARE(window.selected(), 6);
    QCOMPARE(window.cardPositions(), (QList<int>{6, 7}));
    QVERIFY(previous->isEnabled());
    QVERIFY(!next->isEnabled());

    previous->click();
    QCOMPARE(window.selected(), 0);
    QCOMPARE(m_selections, (QList<int>{6, 0}));
}

void TestCardViewer::randomCardsDisablePaging()
{
    QRandomGenerator generator(7);
    CardViewerSession s = session(3);
    s.random = [&] { return generator.generateDouble(); };
    CardViewerWindow window(std::move(s));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.findChild<QPushButton *>(u"cmd_auto"_s)->click();
    QCOMPARE(window.selected(), -1);
    QCOMPARE(m_selections, QList<int>{-1});
    QList<int> cards = window.cardPositions();
    QCOMPARE(cards.size(), 6);
    std::sort(cards.begin(), cards.end());
    QVERIFY(std::adjacent_find(cards.begin(), cards.end()) == cards.end());
    QVERIFY(!window.findChild<QPushButton *>(u"cmd_page_0"_s)->isEnabled());
    QVERIFY(!window.findChild<QPushButton *>(u"cmd_page_1"_s)->isEnabled());
}

void TestCardViewer::clickedCardOpensItsRecipe()
{
    CardViewerWindow window(session(6));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    CardSurface *surface = window.surface();
    // The second card (list position 7, record 9) sits in the middle column.
    QTest::mouseClick(surface, Qt::LeftButton, {},
                      QPoint(surface->width() / 2, surface->height() / 4));
    QCOMPARE(m_opened, QList<int>{9});
    QCOMPARE(m_selections, QList<int>{7});
    QCOMPARE(window.result(), int(QDialog::Accepted));
    QVERIFY(!window.isVisible());
}

void TestCardViewer::randomCardsOpenTheRecipeShown()
{
    CardViewerSession s = session(-1);
    s.entries.resize(3);
    // Positions 2, 1, 0 on every draw (a resize draws again).
    const QList<double> draws = {0.9, 0.5, 0.1};
    int next = 0;
    s.random = [&] { return draws.at(next++ % 3); };
    CardViewerWindow window(std::move(s));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // Cards stand in file order whatever order they were drawn in; the
    // first card is the first row, and clicking it opens that row.
    QCOMPARE(window.cardPositions(), (QList<int>{0, 1, 2}));
    QTest::mouseClick(window.surface(), Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(m_opened, QList<int>{2});
    QCOMPARE(m_selections, QList<int>{0});
}

void TestCardViewer::keepsItsMinimumSize()
{
    CardViewerWindow window(session(0));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.resize(50, 50);
    QVERIFY(window.width() >= window.minimumWidth());
    QCOMPARE(window.minimumWidth(), window.minimumHeight());
    QVERIFY(window.minimumWidth() >= 300);
    // Redrawn for the new size.
    QTRY_COMPARE(window.surface()->image().size(), window.surface()->size());
}

void TestCardViewer::emptyListHasNoPages()
{
    CardViewerSession s = session(-1);
    s.entries.clear();
    CardViewerWindow window(std::move(s));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(!window.findChild<QPushButton *>(u"cmd_page_0"_s)->isEnabled());
    QVERIFY(!window.findChild<QPushButton *>(u"cmd_page_1"_s)->isEnabled());
    QVERIFY(window.cardPositions().isEmpty());
}

void TestCardViewer::resizeKeepsTheRandomCards()
{
    QRandomGenerator generator(11);
    CardViewerSession s = session(-1);
    s.random = [&] { return generator.generateDouble(); };
    CardViewerWindow window(std::move(s));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QList<int> shown = window.cardPositions();
    QCOMPARE(shown.size(), 6);
    for (const QSize size : {QSize(900, 700), QSize(1000, 640), QSize(800, 800)}) {
        window.resize(size);
        QTRY_COMPARE(window.surface()->image().size(), window.surface()->size());
        QCOMPARE(window.cardPositions(), shown);
    }
}

QTEST_MAIN(TestCardViewer)
#include "tst_cardviewer.moc"
