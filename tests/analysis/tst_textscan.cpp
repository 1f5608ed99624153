#include "analysis/textscan.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestTextScan : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void extractNumberNear_data();
    void extractNumberNear();
    void normalizeIndentation_data();
    void normalizeIndentation();
    void trimLineBreaks_data();
    void trimLineBreaks();
    void indexOfCrLf_data();
    void indexOfCrLf();
    void longRunsStayLinear();
};

void TestTextScan::extractNumberNear_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("prefixes");
    QTest::addColumn<QString>("allowed");
    QTest::addColumn<QString>("suffixes");
    QTest::addColumn<QString>("expected");
    const QString calorieUnits = u"㌍,KCAL,キロカロリ"_s;
    const QString calorieDigits = u".0123456789～"_s;
    QTest::newRow("empty text") << QString() << QString() << QString() << u"g"_s << QString();
    QTest::newRow("kcal is case-sensitive")
        << u"カロリー 350kcal"_s << QString() << calorieDigits << calorieUnits << QString();
    QTest::newRow("KCAL") << u"350KCAL"_s << QString() << calorieDigits << calorieUnits << u"350"_s;
    QTest::newRow("calorie sign") << u"エネルギー350㌍"_s << QString() << calorieDigits
                                  << calorieUnits << u"350"_s;
    QTest::newRow("range") << u"300～400キロカロリー"_s << QString() << calorieDigits
                           << calorieUnits << u"300～400"_s;
    QTest::newRow("skips brackets backwards")
        << u"材料【2】人分"_s << QString() << u"0123456789"_s << u"人分,人前"_s << u"2"_s;
    QTest::newRow("second suffix")
        << u"4人前"_s << QString() << QString() << u"人分,人前"_s << u"4"_s;
    QTest::newRow("prefix then number")
        << u"塩分 (1.2)g"_s << u"塩分"_s << QString() << u"g,グラム"_s << u"1.2"_s;
    QTest::newRow("prefix missing")
        << u"塩 1.2g"_s << u"塩分"_s << QString() << u"g"_s << QString();
    QTest::newRow("suffix missing")
        << u"塩分 1.2"_s << u"塩分"_s << QString() << u"g"_s << QString();
    QTest::newRow("no prefix list scans before suffix")
        << u"a12g"_s << QString() << QString() << u"g"_s << u"12"_s;
    QTest::newRow("empty after prefix falls back to suffix")
        << u"脂質は少なめ 砂糖20g"_s << u"脂質"_s << QString() << u"g"_s << u"20"_s;
    QTest::newRow("first prefix of the list wins")
        << u"B5 A7 g"_s << u"A,B"_s << QString() << u"g"_s << u"7"_s;
    QTest::newRow("nothing before suffix")
        << u"g"_s << QString() << QString() << u"g"_s << QString();
    QTest::newRow("kanji digits") << u"二人分"_s << QString() << u"一二三四五六七八九0123456789～"_s
                                  << u"人分,人前"_s << u"二"_s;
    QTest::newRow("ten not accepted")
        << u"十二人分"_s << QString() << u"一二三四五六七八九0123456789～"_s << u"人分,人前"_s
        << u"二"_s;
}

void TestTextScan::extractNumberNear()
{
    QFETCH(QString, text);
    QFETCH(QString, prefixes);
    QFETCH(QString, allowed);
    QFETCH(QString, suffixes);
    QTEST(TextScan::extractNumberNear(text, prefixes, allowed, suffixes), "expected");
}

void TestTextScan::normalizeIndentation_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("trimEveryLine");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty") << QString() << false << QString();
    QTest::newRow("common indent")
        << u"  a\r\n    b  \r\n\r\n  c"_s << false << u"a\r\n  b\r\n\r\nc"_s;
    QTest::newRow("ideographic space counts two")
        << u"\u3000a\r\n  b\r\n   c"_s << false << u"a\r\nb\r\n c"_s;
    QTest::newRow("blank lines ignored") << u"   \r\n  a"_s << false << u"\r\na"_s;
    QTest::newRow("trim every line") << u"  a \r\n\u3000b"_s << true << u"a\r\nb"_s;
    QTest::newRow("lone LF is no break") << u" a\nb"_s << false << u"a\nb"_s;
    QTest::newRow("lone CR is no break") << u" a\r b \r\n  c"_s << false << u"a\r b\r\n c"_s;
    QTest::newRow("blank line loses the common width")
        << u"  a\r\n \t\t \r\n b"_s << false << u" a\r\n\t\t\r\nb"_s;
    QTest::newRow("only blank lines") << u" \r\n\u3000"_s << false << u" \r\n\u3000"_s;
}

void TestTextScan::normalizeIndentation()
{
    QFETCH(QString, text);
    QFETCH(bool, trimEveryLine);
    QTEST(TextScan::normalizeIndentation(text, trimEveryLine), "expected");
}

void TestTextScan::trimLineBreaks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("only breaks") << u"\r\n\r\n\r\n"_s << QString();
    QTest::newRow("both ends") << u"\r\n\r\na\r\n\r\nb\r\n"_s << u"a\r\n\r\nb"_s;
    QTest::newRow("lone CR kept") << u"\ra\r"_s << u"\ra\r"_s;
    QTest::newRow("blank kept") << u" \r\na\r\n "_s << u" \r\na\r\n "_s;
}

void TestTextScan::trimLineBreaks()
{
    QFETCH(QString, text);
    QTEST(TextScan::trimLineBreaks(text), "expected");
}

void TestTextScan::indexOfCrLf_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qsizetype>("from");
    QTest::addColumn<qsizetype>("expected");
    QTest::newRow("none") << u"a\rb\nc"_s << qsizetype(0) << qsizetype(-1);
    QTest::newRow("CR before CR LF") << u"a\r\r\n"_s << qsizetype(0) << qsizetype(2);
    QTest::newRow("from past a break") << u"\r\na\r\n"_s << qsizetype(1) << qsizetype(3);
    QTest::newRow("CR at the end") << u"a\r"_s << qsizetype(0) << qsizetype(-1);
}

void TestTextScan::indexOfCrLf()
{
    QFETCH(QString, text);
    QFETCH(qsizetype, from);
    QTEST(TextScan::indexOfCrLf(text, from), "expected");
}

void TestTextScan::longRunsStayLinear()
{
    // Two million digits before the unit: a quadratic collection would not end.
    const QString digits(2'000'000, u'7');
    QCOMPARE(TextScan::extractNumberNear(digits + u"g"_s, {}, {}, u"g"_s).size(), digits.size());
    const QString breaks = QString(u"\r\n"_s).repeated(1'000'000);
    QCOMPARE(TextScan::trimLineBreaks(breaks + u"x"_s + breaks), u"x"_s);
}

QTEST_GUILESS_MAIN(TestTextScan)
#include "tst_textscan.moc"
