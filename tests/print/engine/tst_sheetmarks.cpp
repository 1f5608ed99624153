#include "layoutfixtures.h"

#include "print/engine/drawsurface.h"
#include "print/engine/recordingtarget.h"
#include "print/engine/sheetmarks.h"

#include <QTest>

#include <algorithm>

using namespace Qt::StringLiterals;
using Kind = RecordingTarget::Item::Kind;

namespace {

struct Circle
{
    double x;
    double y;
    double r;
};

// A dotted run as drawn: its first and last dot.
struct Run
{
    QPointF from;
    QPointF to;
};

bool near(double a, double b)
{
    return qAbs(a - b) < 1e-6;
}

// Groups consecutive dots into runs along one axis.
QList<Run> dottedRuns(const RecordingTarget &rec)
{
    QList<Run> runs;
    QPointF previous;
    bool open = false;
    for (const auto &item : rec.items) {
        if (item.kind != Kind::Point) {
            open = false;
            continue;
        }
        const QPointF p = item.at;
        const bool continues = open && (near(p.x(), previous.x()) || near(p.y(), previous.y())) &&
                               QLineF(previous, p).length() < 0.41;
        if (continues)
            runs.last().to = p;
        else
            runs.append({p, p});
        previous = p;
        open = true;
    }
    return runs;
}

QList<Circle> circles(const RecordingTarget &rec)
{
    QList<Circle> out;
    for (const auto &item : rec.ofKind(Kind::Circle))
        out.append({item.at.x(), item.at.y(), item.radius});
    return out;
}

} // namespace

class TestSheetMarks : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void bibleSheet();
    void holesByPattern_data();
    void holesByPattern();
    void cutLinesOnlyForRefillFormats_data();
    void cutLinesOnlyForRefillFormats();
    void miniMarginBlank();
    void spreadMode_data();
    void spreadMode();
};

void TestSheetMarks::bibleSheet()
{
    RecordingTarget rec(200.5); // printable width 200
    DrawSurface s(&rec, &rec);
    const PageLayout layout = bibleLayout();
    SheetMarks::drawSheetMarks(s, layout, 0, 0);

    const QList<Run> runs = dottedRuns(rec);
    QCOMPARE(runs.size(), 6);
    // Cut lines at x = 91 and x = 109 down to y = 167 and along y = 167.
    QCOMPARE(runs[0].from, QPointF(91, 0));
    QVERIFY(near(runs[0].to.x(), 91) && runs[0].to.y() > 166.5);
    QCOMPARE(runs[1].from, QPointF(0, 167));
    QVERIFY(near(runs[1].to.x(), 90.8));
    QCOMPARE(runs[2].from, QPointF(109, 167));
    QVERIFY(runs[2].to.x() > 199.5 && runs[2].to.x() <= 200);
    QCOMPARE(runs[3].from, QPointF(109, 0));
    // The margin blank: a refill on its side from y 167 to 262.
    QCOMPARE(runs[4].from, QPointF(167, 167));
    QVERIFY(near(runs[4].to.x(), 167) && runs[4].to.y() > 261.5 && runs[4].to.y() <= 262);
    QCOMPARE(runs[5].from, QPointF(0, 262));

    for (const auto &dot : rec.ofKind(Kind::Point))
        QCOMPARE(dot.pen.color, 0x666666);

    const QList<Circle> holes = circles(rec);
    QCOMPARE(holes.size(), 18);
    const QList<double> ys{19, 38, 57, 107, 126, 145};
    for (int i = 0; i < 6; ++i) {
        QVERIFY(near(holes[2 * i].x, 85) && near(holes[2 * i].y, ys[i]));
        QVERIFY(near(holes[2 * i + 1].x, 115) && near(holes[2 * i + 1].y, ys[i]));
        QCOMPARE(holes[2 * i].r, 2.5);
    }
    // The blank's holes, last hole first.
    for (int i = 0; i < 6; ++i) {
        QVERIFY(near(holes[12 + i].x, ys[5 - i]));
        QVERIFY(near(holes[12 + i].y, 173));
    }

    const auto ticks = rec.ofKind(Kind::Line);
    QCOMPARE(ticks.size(), 2);
    QCOMPARE(ticks[0].line, QLineF(90, 82, 91, 82));
    QCOMPARE(ticks[1].line, QLineF(109, 82, 110, 82));
}

void TestSheetMarks::holesByPattern_data()
{
    QTest::addColumn<int>("paper");
    QTest::addColumn<int>("anaake");
    QTest::addColumn<double>("radius");
    QTest::addColumn<double>("leftX");
    QTest::addColumn<double>("rightX");
    QTest::addColumn<QList<double>>("ys");
    QTest::addColumn<int>("width");
    QTest::newRow("pocket") << 1 << 1 << 1.5 << 78.0 << 122.0
                            << QList<double>{12, 31, 50, 69, 88, 107} << 80;
    QTest::newRow("narrow") << 3 << 1 << 2.5 << 85.0 << 115.0
                            << QList<double>{19, 38, 57, 107, 126, 145} << 88;
    QTest::newRow("techo") << 4 << 1 << 1.5 << 87.0 << 113.0
                           << QList<double>{14, 23.5, 42.5, 52, 82, 91.5, 110.5, 120} << 88;
    QTest::newRow("mini") << 2 << 1 << 1.5 << 87.0 << 113.0 << QList<double>{11, 30, 49, 68, 87}
                          << 88;
    QTest::newRow("A5 has no holes") << 6 << 1 << 0.0 << 0.0 << 0.0 << QList<double>{} << 140;
    QTest::newRow("ANAAKE 0") << 0 << 0 << 0.0 << 0.0 << 0.0 << QList<double>{} << 88;
}

void TestSheetMarks::holesByPattern()
{
    QFETCH(int, paper);
    QFETCH(int, anaake);
    QFETCH(double, radius);
    QFETCH(double, leftX);
    QFETCH(double, rightX);
    QFETCH(QList<double>, ys);
    QFETCH(int, width);
    RecordingTarget rec(200.5);
    DrawSurface s(&rec, &rec);
    PageLayout layout = bibleLayout();
    layout.WIDTH = int16_t(width);
    layout.ANAAKE = int16_t(anaake);
    layout.HAKUSI = 0; // the sheet's own holes only
    SheetMarks::drawSheetMarks(s, layout, paper, 0);
    const QList<Circle> holes = circles(rec);
    QCOMPARE(holes.size(), 2 * ys.size());
    for (qsizetype i = 0; i < ys.size(); ++i) {
        QVERIFY(near(holes[2 * i].x, leftX));
        QVERIFY(near(holes[2 * i + 1].x, rightX));
        QVERIFY(near(holes[2 * i].y, ys[i]));
        QCOMPARE(holes[2 * i].r, radius);
    }
}

void TestSheetMarks::cutLinesOnlyForRefillFormats_data()
{
    QTest::addColumn<int>("paper");
    QTest::addColumn<int>("runs");
    QTest::newRow("bible, no blank") << 0 << 4;
    QTest::newRow("pocket: no margin blank") << 1 << 4;
    QTest::newRow("B6") << 9 << 4;
    QTest::newRow("post") << 21 << 4;
    QTest::newRow("A5") << 6 << 0;
    QTest::newRow("A4") << 10 << 0;
    QTest::newRow("card") << 14 << 0;
}

void TestSheetMarks::cutLinesOnlyForRefillFormats()
{
    QFETCH(int, paper);
    QFETCH(int, runs);
    RecordingTarget rec(200.5);
    DrawSurface s(&rec, &rec);
    PageLayout layout = bibleLayout();
    layout.HAKUSI = paper == 0 ? 0 : 1;
    SheetMarks::drawSheetMarks(s, layout, paper, 0);
    QCOMPARE(dottedRuns(rec).size(), runs);
    QCOMPARE(rec.ofKind(Kind::Line).size(), 2); // the centre ticks, always
}

void TestSheetMarks::miniMarginBlank()
{
    RecordingTarget rec(200.5);
    DrawSurface s(&rec, &rec);
    PageLayout layout = bibleLayout();
    layout.WIDTH = 57;
    layout.usableHeight = 102;
    SheetMarks::drawSheetMarks(s, layout, 2, 0);
    const QList<Run> runs = dottedRuns(rec);
    QCOMPARE(runs.size(), 7);
    QCOMPARE(runs[4].from, QPointF(100, 0));
    QCOMPARE(runs[5].from, QPointF(157, 0));
    QCOMPARE(runs[6].from, QPointF(100, 102));
    const QList<Circle> holes = circles(rec);
    QCOMPARE(holes.size(), 15);
    QVERIFY(near(holes[10].x, 104) && near(holes[10].y, 11));
}

void TestSheetMarks::spreadMode_data()
{
    QTest::addColumn<int>("anaake");
    QTest::addColumn<int>("runs");
    QTest::newRow("ANAAKE 1") << 1 << 3;
    QTest::newRow("ANAAKE 0") << 0 << 0;
}

void TestSheetMarks::spreadMode()
{
    QFETCH(int, anaake);
    QFETCH(int, runs);
    RecordingTarget rec(200.5);
    DrawSurface s(&rec, &rec);
    PageLayout layout = bibleLayout();
    layout.ANAAKE = int16_t(anaake);
    SheetMarks::drawSheetMarks(s, layout, 0, 5);
    const QList<Run> drawn = dottedRuns(rec);
    QCOMPARE(drawn.size(), runs);
    QVERIFY(circles(rec).isEmpty());
    QVERIFY(rec.ofKind(Kind::Line).isEmpty());
    if (runs) {
        QCOMPARE(drawn[0].from, QPointF(89, 0));
        QCOMPARE(drawn[1].from, QPointF(181, 0));
        QCOMPARE(drawn[2].from, QPointF(0, 167));
        QVERIFY(drawn[2].to.x() > 180.5 && drawn[2].to.x() <= 181);
    }
}

QTEST_GUILESS_MAIN(TestSheetMarks)
#include "tst_sheetmarks.moc"
