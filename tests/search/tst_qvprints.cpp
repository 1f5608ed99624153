#include "app/appstate.h"
#include "platform/textclipboard.h"
#include "search/qvprints.h"

#include "testsupport.h"
#include <QLineEdit>
#include <QPushButton>

#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {} // namespace

// The quick search box driven offscreen through its control names.
class TestQvprintS : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void clipboardTextIsTakenAndEmptied();
    void lastTextIsOfferedAgain();
    void closing_data();
    void closing();
    void askHandsTextInAndOut();
    void placement_data();
    void placement();
};

void TestQvprintS::clipboardTextIsTakenAndEmptied()
{
    AppState state;
    state.quickSearchText = u"old"_s;
    state.quickSearchResult = 1;
    StringClipboard clipboard;
    clipboard.setText(u"  唐揚げ\r\n"_s);
    QvprintS box(state, clipboard, nullptr);
    QCOMPARE(box.findChild<QLineEdit *>(u"Text1"_s)->text(), u"唐揚げ"_s);
    QVERIFY(!clipboard.hasText());
    QCOMPARE(state.quickSearchText, u"唐揚げ"_s);
    QCOMPARE(state.quickSearchResult, int16_t(-1));
    QCOMPARE(box.windowTitle(), u"検索"_s);
}

void TestQvprintS::lastTextIsOfferedAgain()
{
    AppState state;
    StringClipboard clipboard;
    {
        QvprintS first(state, clipboard, nullptr);
        first.show();
        first.text()->setText(u"煮物"_s);
        QTest::keyClick(first.text(), Qt::Key_Return);
        QVERIFY(!first.isVisible());
    }
    QvprintS second(state, clipboard, nullptr);
    QCOMPARE(second.text()->text(), u"煮物"_s);
    QCOMPARE(state.quickSearchResult, int16_t(-1)); // reset by loading
}

void TestQvprintS::closing_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("result");
    QTest::newRow("Enter in Text1 is a new search") << "enter" << 0;
    QTest::newRow("Command1_0") << "Command1_0" << 0;
    QTest::newRow("Command1_1 is the next hit") << "Command1_1" << 1;
    QTest::newRow("Cmd_cancel") << "Cmd_cancel" << -1;
    QTest::newRow("Escape") << "escape" << -1;
    QTest::newRow("title-bar close") << "close" << -1;
}

void TestQvprintS::closing()
{
    QFETCH(QString, how);
    QFETCH(int, result);
    AppState state;
    StringClipboard clipboard;
    QvprintS box(state, clipboard, nullptr);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    box.text()->setFocus();
    QTest::keyClicks(box.text(), u"abc"_s);
    if (how == u"enter"_s)
        QTest::keyClick(box.text(), Qt::Key_Return);
    else if (how == u"escape"_s)
        QTest::keyClick(box.text(), Qt::Key_Escape);
    else if (how == u"close"_s)
        box.close();
    else
        QTest::mouseClick(box.findChild<QPushButton *>(how), Qt::LeftButton);
    QVERIFY(!box.isVisible());
    QCOMPARE(int(state.quickSearchResult), result);
    QCOMPARE(state.quickSearchText, u"abc"_s); // kept however the box closed
}

void TestQvprintS::askHandsTextInAndOut()
{
    AppState state;
    StringClipboard clipboard;
    QString text = u"first"_s;
    QTimer::singleShot(0, this, [] {
        auto *box = qobject_cast<QvprintS *>(QApplication::activeModalWidget());
        QVERIFY(box);
        QCOMPARE(box->text()->text(), u"first"_s);
        box->text()->setText(u"second"_s);
        box->findChild<QPushButton *>(u"Command1_1"_s)->click();
    });
    QCOMPARE(QvprintS::ask(state, clipboard, nullptr, text), 1);
    QCOMPARE(text, u"second"_s);
}

void TestQvprintS::placement_data()
{
    QTest::addColumn<QRect>("main");
    QTest::addColumn<int>("owner");
    QTest::addColumn<QPoint>("expected");
    const QRect main(100, 100, 800, 600);
    // Own size 200 x 100, margin 13, screen 0,0 1280 x 1024.
    QTest::newRow("owner 0: near the left edge") << main << 0 << QPoint(113, 350);
    QTest::newRow("owner 1: centred") << main << 1 << QPoint(400, 350);
    QTest::newRow("owner 2: near the right edge") << main << 2 << QPoint(687, 350);
    QTest::newRow("above the screen: top 0") << QRect(0, -900, 800, 600) << 0 << QPoint(13, 0);
    QTest::newRow("below the screen: moved up") << QRect(0, 900, 800, 600) << 0 << QPoint(13, 924);
}

void TestQvprintS::placement()
{
    QFETCH(QRect, main);
    QFETCH(int, owner);
    QFETCH(QPoint, expected);
    QCOMPARE(QvprintS::placement(main, QSize(200, 100), owner, QRect(0, 0, 1280, 1024), 13),
             expected);
}

QTEST_MAIN(TestQvprintS)
#include "tst_qvprints.moc"
