#include "viewer/cardslots.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>

class TestCardSlots : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void paging_data();
    void paging();
    void pageSlotsAndButtons_data();
    void pageSlotsAndButtons();
    void randomPickNeverRepeats_data();
    void randomPickNeverRepeats();
    void randomPickFollowsDrawOrder();
};

void TestCardSlots::paging_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("from");
    QTest::addColumn<bool>("next");
    QTest::addColumn<int>("expected");
    QTest::newRow("next from 0 of 8") << 8 << 0 << true << 6;
    QTest::newRow("next from 3 of 8 goes to the last") << 8 << 3 << true << 7;
    QTest::newRow("next from the last stays") << 8 << 7 << true << 7;
    QTest::newRow("next from 0 of 20") << 20 << 0 << true << 6;
    QTest::newRow("previous from 5") << 8 << 5 << false << 0;
    QTest::newRow("previous from 6") << 8 << 6 << false << 0;
    QTest::newRow("previous from 8") << 12 << 8 << false << 2;
    QTest::newRow("previous from 0") << 8 << 0 << false << 0;
}

void TestCardSlots::paging()
{
    QFETCH(int, count);
    QFETCH(int, from);
    QFETCH(bool, next);
    QFETCH(int, expected);
    QCOMPARE(next ? CardSlots::nextPagePosition(count, from)
                  : CardSlots::previousPagePosition(from),
             expected);
}

void TestCardSlots::pageSlotsAndButtons_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QList<int>>("slots");
    QTest::addColumn<bool>("previous");
    QTest::addColumn<bool>("next");
    QTest::newRow("4 from the first") << 4 << 0 << QList<int>{0, 1, 2, 3} << false << false;
    QTest::newRow("8 from the first") << 8 << 0 << QList<int>{0, 1, 2, 3, 4, 5} << false << true;
    QTest::newRow("8 from 6") << 8 << 6 << QList<int>{6, 7} << true << false;
    QTest::newRow("8 from 1") << 8 << 1 << QList<int>{1, 2, 3, 4, 5, 6} << true << true;
    QTest::newRow("empty") << 0 << 0 << QList<int>{} << false << false;
    QTest::newRow("no selection") << 5 << -1 << QList<int>{} << false << false;
}

void TestCardSlots::pageSlotsAndButtons()
{
    QFETCH(int, count);
    QFETCH(int, selected);
    QFETCH(QList<int>, slots);
    QFETCH(bool, previous);
    QFETCH(bool, next);
    QCOMPARE(CardSlots::pageSlots(count, selected), slots);
    QCOMPARE(CardSlots::previousEnabled(selected), previous);
    QCOMPARE(CardSlots::nextEnabled(count, selected, int(slots.size())), next);
}

void TestCardSlots::randomPickNeverRepeats_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("cards");
    QTest::newRow("3 recipes") << 3 << 3;
    QTest::newRow("6 recipes") << 6 << 6;
    QTest::newRow("7 recipes") << 7 << 6;
    QTest::newRow("200 recipes") << 200 << 6;
    QTest::newRow("1 recipe") << 1 << 1;
    QTest::newRow("none") << 0 << 0;
}

void TestCardSlots::randomPickNeverRepeats()
{
    QFETCH(int, count);
    QFETCH(int, cards);
    QRandomGenerator generator(20261208); // fixed seed: the same draws every run
    const CardSlots::RandomSource random = [&] { return generator.generateDouble(); };
    for (int round = 0; round < 500; ++round) {
        QList<int> slots = CardSlots::randomSlots(count, random);
        QCOMPARE(slots.size(), cards);
        std::sort(slots.begin(), slots.end());
        QVERIFY(std::adjacent_find(slots.begin(), slots.end()) == slots.end());
        QVERIFY(slots.isEmpty() || (slots.first() >= 0 && slots.last() < count));
    }
}

void TestCardSlots::randomPickFollowsDrawOrder()
{
    // Repeats and a draw of exactly 1.0 are drawn again.
    QList<double> draws = {0.9, 0.95, 1.0, 0.1, 0.0, 0.5};
    const CardSlots::RandomSource random = [&] { return draws.takeFirst(); };
    QCOMPARE(CardSlots::randomSlots(3, random), (QList<int>{2, 0, 1}));
    QVERIFY(draws.isEmpty());
}

QTEST_APPLESS_MAIN(TestCardSlots)
#include "tst_cardslots.moc"
