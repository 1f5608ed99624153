#include "layoutfixtures.h"

#include "print/engine/colorcodes.h"
#include "print/engine/drawsurface.h"
#include "print/engine/framedecoration.h"
#include "print/engine/recordingtarget.h"

#include <QTest>

using namespace Qt::StringLiterals;
using Kind = RecordingTarget::Item::Kind;
using ColorCodes::rgb;

class TestFrameDecoration : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void solidRulePenWidth_data();
    void solidRulePenWidth();
    void dottedRuleRunsAlongOneAxis_data();
    void dottedRuleRunsAlongOneAxis();
    void gradientFadesToPale_data();
    void gradientFadesToPale();
    void hatchingAlwaysEnds_data();
    void hatchingAlwaysEnds();
    void arrowHeads_data();
    void arrowHeads();
    void colourMinusOneKeepsThePreviousLine();
    void boxFrameAndFill();
    void titleBandDecoration_data();
    void titleBandDecoration();
    void footer_data();
    void footer();
};

void TestFrameDecoration::solidRulePenWidth_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("tensen");
    QTest::addColumn<int>("color");
    QTest::addColumn<int>("width");
    QTest::newRow("1") << 1 << 0 << 0 << 1;
    QTest::newRow("1 with TENSEN 1") << 1 << 1 << 0 << 2;
    QTest::newRow("1 in rainbow") << 1 << 0 << 19 << 2;
    QTest::newRow("3 with TENSEN 1") << 3 << 1 << 0 << 3;
    QTest::newRow("9") << 9 << 0 << 0 << 9;
    QTest::newRow("10 not a hue") << 10 << 0 << 0 << 10;
}

void TestFrameDecoration::solidRulePenWidth()
{
    QFETCH(int, style);
    QFETCH(int, tensen);
    QFETCH(int, color);
    QFETCH(int, width);
    PageLayout layout = bibleLayout();
    layout.TENSEN = int16_t(tensen);
    RecordingTarget rec;
    DrawSurface s(&rec, &rec);
    Decoration::drawRule(s, layout, int16_t(style), 8, 9, 88, 9, color);
    const auto lines = rec.ofKind(Kind::Line);
    QCOMPARE(rec.items.size(), 1);
    QCOMPARE(lines[0].line, QLineF(8, 9, 88, 9));
    QCOMPARE(lines[0].pen.width, width);
    QCOMPARE(lines[0].pen.style, 0);
}

void TestFrameDecoration::dottedRuleRunsAlongOneAxis_data()
{
    QTest::addColumn<int>("tensen");
    QTest::addColumn<bool>("preview");
    QTest::addColumn<QLineF>("ends");
    QTest::addColumn<int>("count");
    QTest::addColumn<QPointF>("first");
    QTest::addColumn<QPointF>("last");
    QTest::addColumn<double>("radius"); // 0: dots
    QTest::addColumn<int>("width");
    QTest::newRow("slanted stays horizontal") << 0 << false << QLineF(10, 20, 50, 30) << 101
                                              << QPointF(10, 20) << QPointF(50, 20) << 0.0 << 1;
    QTest::newRow("vertical") << 0 << false << QLineF(91, 0, 91, 167) << 418 << QPointF(91, 0)
                              << QPointF(91, 166.8) << 0.0 << 1;
    QTest::newRow("thick dots") << 1 << false << QLineF(0, 5, 2, 5) << 6 << QPointF(0, 5)
                                << QPointF(2, 5) << 0.0 << 2;
    QTest::newRow("round dots") << 2 << false << QLineF(0, 5, 10, 5) << 11 << QPointF(0, 5)
                                << QPointF(10, 5) << 0.1 << 1;
    QTest::newRow("round dots on the picture")
        << 3 << true << QLineF(0, 5, 3.5, 5) << 4 << QPointF(0, 5) << QPointF(3, 5) << 0.2 << 1;
    QTest::newRow("backwards draws nothing")
        << 0 << false << QLineF(50, 20, 10, 20) << 0 << QPointF() << QPointF() << 0.0 << 1;
}

void TestFrameDecoration::dottedRuleRunsAlongOneAxis()
{
    QFETCH(int, tensen);
    QFETCH(bool, preview);
    QFETCH(QLineF, ends);
    QFETCH(int, count);
    QFETCH(QPointF, first);
    QFETCH(QPointF, last);
    QFETCH(double, radius);
    QFETCH(int, width);
    PageLayout layout = bibleLayout();
    layout.TENSEN = int16_t(tensen);
    RecordingTarget rec;
    DrawSurface s(&rec, &rec);
    s.previewMode = preview;
    Decoration::drawRule(s, layout, -1, ends.x1(), ends.y1(), ends.x2(), ends.y2(), 0x666666);
    QCOMPARE(rec.items.size(), count);
    if (count == 0)
        return;
    const Kind kind = radius > 0 ? Kind::Circle : Kind::Point;
    QCOMPARE(rec.ofKind(kind).size(), count);
    for (const auto &item : rec.items) {
        QCOMPARE(item.pen.color, 0x666666);
        QCOMPARE(item.pen.width, width);
        QCOMPARE(item.radius, radius);
    }
    QVERIFY(qAbs(rec.items.first().at.x() - first.x()) < 1e-9);
    QVERIFY(qAbs(rec.items.first().at.y() - first.y()) < 1e-9);
    QVERIFY(qAbs(rec.items.last().at.x() - last.x()) < 1e-9);
    QVERIFY(qAbs(rec.items.last().at.y() - last.y()) < 1e-9);
}

void TestFrameDecoration::gradientFadesToPale_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QLineF>("ends");
    QTest::addColumn<int>("firstColor");
    QTest::addColumn<int>("lastColor");
    QTest::addColumn<QLineF>("lastSegment");
    QTest::newRow("blue along") << 1 << QLineF(0, 9, 8, 9) << rgb(0, 0, 255) << rgb(200, 200, 255)
                                << QLineF(8, 9, 8.4, 9);
    QTest::newRow("red down") << 4 << QLineF(5, 0, 5, 4) << rgb(255, 0, 0) << rgb(255, 200, 200)
                              << QLineF(5, 4, 5.4, 4);
    QTest::newRow("yellow") << 6 << QLineF(0, 0, 4, 0) << rgb(255, 255, 0) << rgb(255, 255, 200)
                            << QLineF(4, 0, 4.4, 0);
}

void TestFrameDecoration::gradientFadesToPale()
{
    QFETCH(int, code);
    QFETCH(QLineF, ends);
    QFETCH(int, firstColor);
    QFETCH(int, lastColor);
    QFETCH(QLineF, lastSegment);
    RecordingTarget rec;
    DrawSurface s(&rec, &rec);
    Decoration::drawRule(s, bibleLayout(), 10, ends.x1(), ends.y1(), ends.x2(), ends.y2(), code);
    const auto lines = rec.ofKind(Kind::Line);
    QVERIFY(lines.size() > 2);
    QCOMPARE(lines.first().pen.color, firstColor);
    QCOMPARE(lines.last().pen.color, lastColor);
    QCOMPARE(lines.first().pen.width, 2);
    QVERIFY(qAbs(lines.last().line.x1() - lastSegment.x1()) < 1e-9);
    QVERIFY(qAbs(lines.last().line.y1() - lastSegment.y1()) < 1e-9);
    QVERIFY(qAbs(lines.last().line.x2() - lastSegment.x2()) < 1e-9);
}

void TestFrameDecoration::hatchingAlwaysEnds_data()
{
    QTest::addColumn<double>("x2");
    QTest::addColumn<QList<double>>("xs");
    QTest::newRow("step 1") << 20.0 << QList<double>{0,  1,  2,  3,  4,  5,  6,  7,  8,  9, 10,
                                                     11, 12, 13, 14, 15, 16, 17, 18, 19, 20};
    QTest::newRow("step 3") << 40.0
                            << QList<double>{0, 3, 6, 9, 12, 15, 18, 21, 24, 27, 30, 33, 36, 39};
    QTest::newRow("10 mm: step 0") << 10.0 << QList<double>{0};
    QTest::newRow("5 mm: negative step") << 5.0 << QList<double>{0};
}

void TestFrameDecoration::hatchingAlwaysEnds()
{
    QFETCH(double, x2);
    QFETCH(QList<double>, xs);
    RecordingTarget rec;
    DrawSurface s(&rec, &rec);
    Decoration::drawRule(s, bibleLayout(), -10, 0, 30, x2, 40, 0);
    const auto lines = rec.ofKind(Kind::Line);
    QCOMPARE(lines.size(), xs.size());
    for (qsizetype i = 0; i < xs.size(); ++i) {
        QVERIFY(qAbs(lines[i].line.x1() - xs[i]) < 1e-9);
        QCOMPARE(lines[i].line.y1(), 30.0);
        QCOMPARE(lines[i].line.y2(), 40.4);
        QCOMPARE(lines[i].pen.width, 1);
    }
}

void TestFrameDecoration::arrowHeads_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<QList<QLineF>>("lines");
    const QLineF shaft(10, 20, 30, 20);
    const QList<QLineF> start{QLineF(10, 20, 11, 19), QLineF(10, 20, 11, 21)};
    const QList<QLineF> end{QLineF(30, 20, 29, 19), QLineF(30, 20, 29, 21)};
    QTest::newRow("both") << -100 << QList<QLineF>{shaft} + start + end;
    QTest::newRow("start") << -101 << QList<QLineF>{shaft} + start;
    QTest::newRow("end") << -102 << QList<QLineF>{shaft} + end;
    QTest::newRow("unknown style") << -5 << QList<QLineF>{};
}

void TestFrameDecoration::arrowHeads()
{
    QFETCH(int, style);
    QFETCH(QList<QLineF>, lines);
    RecordingTarget rec;
    DrawSurface s(&rec, &rec);
    // Ends given backwards are put in order first.
    Decoration::drawRule(s, bibleLayout(), int16_t(style), 30, 20, 10, 20, 0);
    const auto drawn = rec.ofKind(Kind::Line);
    QCOMPARE(drawn.size(), lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i)
        QCOMPARE(drawn[i].line, lines[i]);
}

void TestFrameDecoration::colourMinusOneKeepsThePreviousLine()
{
    RecordingTarget rec;
    DrawSurface s(&rec, &rec);
    const PageLayout layout = bibleLayout();
    Decoration::drawRule(s, layout, 1, 0, 0, 10, 0, 4);
    Decoration::drawRule(s, layout, 1, 0, 1, 10, 1, -1);
    Decoration::drawBoxFrame(s, 1, 0, 0, 5, 5, -1);
    Decoration::drawRule(s, layout, 1, 0, 2, 10, 2, 19); // rainbow advances once
    Decoration::drawRule(s, layout, 1, 0, 3, 10, 3, 19);
    const auto lines = rec.ofKind(Kind::Line);
    QCOMPARE(lines[0].pen.color, rgb(255, 0, 0));
    QCOMPARE(lines[1].pen.color, rgb(255, 0, 0));
    QCOMPARE(rec.ofKind(Kind::Rect)[0].pen.color, rgb(255, 0, 0));
    QCOMPARE(lines[2].pen.color, rgb(240, 80, 80));
    QCOMPARE(lines[3].pen.color, rgb(255, 255, 0));
}

void TestFrameDecoration::boxFrameAndFill()
{
    RecordingTarget rec;
    DrawSurface s(&rec, &rec);
    s.lineColor = rgb(1, 2, 3);
    Decoration::drawBoxFrame(s, 19, 0, 0, 5, 5, 1); // out of range: pen width untouched
    Decoration::drawBoxFrame(s, 1, 0, 0, 5, 5, 19); // rainbow: 2 pixels
    Decoration::fillBox(s, 8, 3.5, 88, 8.5, 0xEEEEEE);
    const auto rects = rec.ofKind(Kind::Rect);
    QCOMPARE(rects[0].pen.width, 1);
    QCOMPARE(rects[0].pen.color, rgb(0, 0, 255));
    QCOMPARE(rects[1].pen.width, 2);
    const auto fills = rec.ofKind(Kind::Fill);
    QCOMPARE(fills[0].rect, QRectF(QPointF(8, 3.5), QPointF(88, 8.5)));
    QCOMPARE(fills[0].color, 0xEEEEEE);
    QCOMPARE(s.lineColor, rgb(240, 80, 80)); // filling leaves the line colour alone
}

void TestFrameDecoration::titleBandDecoration_data()
{
    QTest::addColumn<int>("kazari");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("decoration"); // kind of the first item, -1 none
    QTest::addColumn<QString>("printed");
    QTest::addColumn<double>("x");
    const int line = int(Kind::Line);
    QTest::newRow("0 none") << 0 << u"ab"_s << -1 << u" ab"_s << 8.0;
    QTest::newRow("1 underline") << 1 << u"ab"_s << line << u" ab"_s << 8.0;
    QTest::newRow("3 frame") << 3 << u"ab"_s << int(Kind::Rect) << u" ab"_s << 8.0;
    QTest::newRow("4 shading") << 4 << u"ab"_s << int(Kind::Fill) << u" ab"_s << 8.0;
    QTest::newRow("5 centred") << 5 << u"ab"_s << -1 << u"ab"_s << 8 + (80 - 2 * 12 / 5.67) / 2;
    QTest::newRow("8 centred frame") << 8 << u"ab"_s << int(Kind::Rect) << u"ab"_s << 45.8836;
    QTest::newRow("9 centred kana")
        << 9 << u"料理"_s << int(Kind::Fill) << u"料理"_s << 8 + (80 - 4 * 12 / 5.67) / 2;
    QTest::newRow("10 gradient") << 10 << u"ab"_s << line << u" ab"_s << 8.0;
    QTest::newRow("11 none") << 11 << u"ab"_s << -1 << u" ab"_s << 8.0;
}

void TestFrameDecoration::titleBandDecoration()
{
    QFETCH(int, kazari);
    QFETCH(QString, text);
    QFETCH(int, decoration);
    QFETCH(QString, printed);
    QFETCH(double, x);
    PageLayout layout = bibleLayout();
    layout.KAZARI = int16_t(kazari);
    layout.HEAD_COLOR = 4;
    RecordingTarget rec;
    DrawSurface s(&rec, &rec);
    Decoration::drawTitleBand(s, layout, text, 8, 88);
    if (decoration < 0)
        QCOMPARE(rec.items.first().kind, Kind::Text);
    else
        QCOMPARE(int(rec.items.first().kind), decoration);
    const auto texts = rec.ofKind(Kind::Text);
    QCOMPARE(texts.size(), 1);
    QCOMPARE(texts[0].text, printed);
    QVERIFY2(qAbs(texts[0].at.x() - x) < 0.001, qPrintable(QString::number(texts[0].at.x())));
    QCOMPARE(texts[0].at.y(), 4.0);
    QCOMPARE(texts[0].font, (FontSpec{u"ＭＳ ゴシック"_s, 12}));
    QCOMPARE(texts[0].color, rgb(255, 0, 0));
    if (kazari == 3 || kazari == 8)
        QCOMPARE(rec.items.first().rect, QRectF(QPointF(8, 3.5), QPointF(88, 8.5)));
    if (kazari == 1)
        QCOMPARE(rec.items.first().line, QLineF(8, 9, 88, 9));
}

void TestFrameDecoration::footer_data()
{
    QTest::addColumn<int>("kazari");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("ruleWidth"); // 0: no rule
    QTest::addColumn<bool>("printed");
    QTest::newRow("0 draws nothing") << 0 << u"p.1"_s << 0 << false;
    QTest::newRow("1 thick") << 1 << u"p.1"_s << 3 << true;
    QTest::newRow("2 thin") << 2 << u"p.1"_s << 2 << true;
    QTest::newRow("9 thin") << 9 << QString() << 2 << false;
    QTest::newRow("10 gradient") << 10 << u"p.1"_s << 10 << true;
}

void TestFrameDecoration::footer()
{
    QFETCH(int, kazari);
    QFETCH(QString, text);
    QFETCH(int, ruleWidth);
    QFETCH(bool, printed);
    PageLayout layout = bibleLayout();
    layout.KAZARI = int16_t(kazari);
    RecordingTarget rec;
    DrawSurface s(&rec, &rec);
    s.setCurrentY(157);
    Decoration::drawFooter(s, layout, text, 8, 88);
    const auto lines = rec.ofKind(Kind::Line);
    QCOMPARE(lines.size(), ruleWidth ? 1 : 0);
    if (ruleWidth) {
        QCOMPARE(lines[0].line, QLineF(8, 156, 88, 156));
        QCOMPARE(lines[0].pen.width, ruleWidth);
    }
    const auto texts = rec.ofKind(Kind::Text);
    QCOMPARE(texts.size(), printed ? 1 : 0);
    if (printed) {
        QCOMPARE(texts[0].at, QPointF(8, 157));
        QVERIFY(qFuzzyCompare(texts[0].font.size, 9 * 0.7));
    }
}

QTEST_GUILESS_MAIN(TestFrameDecoration)
#include "tst_framedecoration.moc"
