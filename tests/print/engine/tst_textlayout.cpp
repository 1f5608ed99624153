#include "layoutfixtures.h"

#include "print/engine/colorcodes.h"
#include "print/engine/drawsurface.h"
#include "print/engine/recordingtarget.h"
#include "print/engine/textlayout.h"

#include <QTest>

using namespace Qt::StringLiterals;
using Kind = RecordingTarget::Item::Kind;
using ColorCodes::rgb;

namespace {

const double em = RecordingTarget::emMm(10);
const double step = 10 / 5.67;

// The printed texts as "text@x,y" with the coordinates in hundredths of a mm.
QStringList printed(const RecordingTarget &rec)
{
    QStringList out;
    for (const auto &item : rec.ofKind(Kind::Text))
        out.append(item.text + u'@' + QString::number(qRound(item.at.x() * 100)) + u',' +
                   QString::number(qRound(item.at.y() * 100)));
    return out;
}

QString at(const QString &text, double x, double y)
{
    return text + u'@' + QString::number(qRound(x * 100)) + u',' + QString::number(qRound(y * 100));
}

} // namespace

class TestTextLayout : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void layoutTextBox_data();
    void layoutTextBox();
    void headingLinesTakeTheDefaultColour();
    void printWrapped_data();
    void printWrapped();
    void printWrappedColours();
};

void TestTextLayout::layoutTextBox_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("right");
    QTest::addColumn<double>("bottom");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("rest");
    const double x = 10;
    const double y = 20;
    const double narrow = x + 3 * em + 0.1; // six half-width characters
    const double hang = x + 1.5 * em;       // after "(n)"

    QTest::newRow("plain then two items")
        << u"abc\r\n@##first\r\n@##second"_s << 100.0 << 100.0
        << QStringList{at(u"abc"_s, x, y), at(u"(1)"_s, x, y + em), at(u"first"_s, hang, y + em),
                       at(u"(2)"_s, x, y + 2 * em), at(u"second"_s, hang, y + 2 * em)}
        << u"@(#LEVEL1)=2\r\n"_s;
    QTest::newRow("continued numbering with a hanging indent")
        << u"@(#LEVEL1)=2\r\nabcdefghij\r\n@##x"_s << narrow << 100.0
        << QStringList{at(u"abcdef"_s, x, y), at(u"ghi"_s, hang, y + em),
                       at(u"j"_s, hang, y + 2 * em), at(u"(3)"_s, x, y + 3 * em),
                       at(u"x"_s, hang, y + 3 * em)}
        << u"@(#LEVEL1)=3\r\n"_s;
    QTest::newRow("stored line breaks")
        << u"ab\\ncd"_s << 100.0 << 100.0 << QStringList{at(u"ab"_s, x, y), at(u"cd"_s, x, y + em)}
        << QString();
    QTest::newRow("blank lines skipped in a list")
        << u"@##a\r\n  \r\nb"_s << 100.0 << 100.0
        << QStringList{at(u"(1)"_s, x, y), at(u"a"_s, hang, y), at(u"b"_s, hang + em / 2, y)}
        << u"@(#LEVEL1)=1\r\n"_s;
    QTest::newRow("runs past the bottom after a wrap")
        << u"abcdefghijklmnop\r\nsecond"_s << narrow << y + em + 3.6
        << QStringList{at(u"abcdef"_s, x, y), at(u"ghijkl"_s, x, y + em)}
        << u"mnop\r\nsecond\r\n\r\n"_s;
    QTest::newRow("stops before a line that does not fit")
        << u"one\r\ntwo\r\nthree"_s << 100.0 << y + em + 3.6
        << QStringList{at(u"one"_s, x, y), at(u"two"_s, x, y + em)} << u"three\r\n\r\n"_s;
    QTest::newRow("box too short keeps everything")
        << u"@(#LEVEL1)=4\r\n@##e"_s << 100.0 << y + 3.0 << QStringList{}
        << u"@(#LEVEL1)=4\r\n@##e\r\n\r\n"_s;
    QTest::newRow("a character wider than the box")
        << u"料理"_s << x + em / 2 << 100.0
        << QStringList{at(u"料"_s, x, y + em), at(u"理"_s, x, y + 2 * em)} << QString();
}

void TestTextLayout::layoutTextBox()
{
    QFETCH(QString, text);
    QFETCH(double, right);
    QFETCH(double, bottom);
    QFETCH(QStringList, expected);
    QFETCH(QString, rest);
    RecordingTarget rec;
    DrawSurface s(&rec, &rec);
    s.setFontSize(10);
    s.setCurrentX(10);
    s.setCurrentY(20);
    const QString remaining = TextLayout::layoutTextBox(s, bibleLayout(), text, right, bottom);
    QCOMPARE(printed(rec), expected);
    QCOMPARE(remaining, rest);
}

void TestTextLayout::headingLinesTakeTheDefaultColour()
{
    PageLayout layout = bibleLayout();
    layout.DEFAULT_COLOR = 4;
    layout.DATA_COLOR = 1;
    RecordingTarget rec;
    DrawSurface s(&rec, &rec);
    TextLayout::layoutTextBox(s, layout, u"【材料】\r\n塩\r\n[メモ]"_s, 100, 100);
    const auto texts = rec.ofKind(Kind::Text);
    QCOMPARE(texts.size(), 3);
    QCOMPARE(texts[0].color, rgb(255, 0, 0));
    QCOMPARE(texts[1].color, rgb(0, 0, 255));
    QCOMPARE(texts[2].color, rgb(255, 0, 0));
}

void TestTextLayout::printWrapped_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("right");
    QTest::addColumn<QStringList>("expected");
    const double x = 10;
    const double y = 20;
    QTest::newRow("backslash n breaks")
        << u"ab\\ncd"_s << 100.0
        << QStringList{at(u"a"_s, x, y), at(u"b"_s, x + em / 2, y), at(u"c"_s, x, y + em),
                       at(u"d"_s, x + em / 2, y + em)};
    QTest::newRow("CR breaks, LF ignored")
        << u"a\r\nb"_s << 100.0 << QStringList{at(u"a"_s, x, y), at(u"b"_s, x, y + em)};
    QTest::newRow("wrap by the estimate")
        << u"料理abc"_s << x + 4 * step + 0.01
        << QStringList{at(u"料"_s, x, y), at(u"理"_s, x + em, y), at(u"a"_s, x, y + em),
                       at(u"b"_s, x + em / 2, y + em), at(u"c"_s, x + em, y + em)};
    QTest::newRow("a lone backslash prints")
        << u"\\x"_s << 100.0 << QStringList{at(u"\\"_s, x, y), at(u"x"_s, x + em / 2, y)};
}

void TestTextLayout::printWrapped()
{
    QFETCH(QString, text);
    QFETCH(double, right);
    QFETCH(QStringList, expected);
    RecordingTarget rec;
    DrawSurface s(&rec, &rec);
    s.setFontSize(10);
    s.setCurrentX(10);
    s.setCurrentY(20);
    TextLayout::printWrapped(s, text, right);
    QCOMPARE(printed(rec), expected);
    QCOMPARE(s.pagePrinted, int16_t(1));
}

void TestTextLayout::printWrappedColours()
{
    RecordingTarget rec;
    DrawSurface s(&rec, &rec);
    s.setForeColor(2);
    TextLayout::printWrapped(s,
                             u"a\x04"
                             u"bc\x07"
                             u"d\x01"_s,
                             100);
    const auto texts = rec.ofKind(Kind::Text);
    QCOMPARE(texts.size(), 4);
    QCOMPARE(texts[0].color, rgb(0, 255, 0));
    QCOMPARE(texts[1].color, rgb(255, 0, 0));
    QCOMPARE(texts[2].color, rgb(255, 0, 0));
    QCOMPARE(texts[3].color, rgb(0, 255, 0));
    // The colour in force before the call is back afterwards.
    QCOMPARE(s.getForeColor(), rgb(0, 255, 0));
}

QTEST_GUILESS_MAIN(TestTextLayout)
#include "tst_textlayout.moc"
