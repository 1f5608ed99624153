#include "editor/fastrowsplitter.h"
#include "platform/cp932.h"
#include "recipe/recordcodec.h"
#include "testsupport.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The file's lines as the list reader gives them, each decoded.
bool readLines(const QString &path, QStringList &lines,
               const std::function<bool()> &betweenPieces = {})
{
    lines.clear();
    return FastRowSplitter::forEachRawLine(
        path,
        [&](QByteArrayView line) {
            lines.append(Cp932::decode(line));
            return true;
        },
        betweenPieces);
}

} // namespace

// The list's file reader gives exactly what the line reader and the codec give.
class TestFastRowSplitter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sameFieldsAsTheCodec_data()
    {
        QTest::addColumn<QString>("line");
        QTest::newRow("plain") << u"肉,牛,ステーキ"_s;
        QTest::newRow("quoted") << u"\"肉\",\"牛\",\"ステーキ\""_s;
        QTest::newRow("comma and tab inside quotes") << u"\"a,b\tc\",d"_s;
        QTest::newRow("tab separates") << u"a\tb\t\"c\""_s;
        QTest::newRow("doubled quotes") << u"\"say \"\"hi\"\"\",x"_s;
        QTest::newRow("blanks around quotes") << u"  \"a\"  ,  b  , \"c\" "_s;
        QTest::newRow("text after closing quote") << u"\"a\"b,c"_s;
        QTest::newRow("quote at the very end") << u"a,\"b\""_s;
        QTest::newRow("open quote to the end") << u"a,\"b,c"_s;
        QTest::newRow("control characters dropped") << u"a\u0001b,\u0008c"_s;
        QTest::newRow("encoded line breaks") << u"\"一\\n二\",三"_s;
        QTest::newRow("empty") << QString();
        QTest::newRow("only commas") << u",,,"_s;
        QTest::newRow("lone quote") << u"\""_s;
        QTest::newRow("half-width kana") << u"ｸﾘｱ,ｶﾞｷﾞ"_s;
        QString many;
        for (int i = 0; i < 230; ++i)
            many += u"\"f%1\","_s.arg(i);
        QTest::newRow("beyond 200 fields") << many;
    }
    // The record splitter the list is built with and the field splitter
    // agree (first 200 fields, nothing stale left in a reused record).
    void sameFieldsAsTheCodec()
    {
        QFETCH(QString, line);
        RecipeRecord record;
        record.setField(150, u"stale"_s);
        RecordCodec::splitRecordLine(line, record);
        RecipeRecord expected;
        const QStringList fields = RecordCodec::splitFields(line);
        for (int i = 0; i < qMin<qsizetype>(fields.size(), RecipeRecord::fieldCount); ++i)
            expected.setField(i + 1, fields.at(i));
        QCOMPARE(record, expected);
    }

    void decodedLines_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("crlf") << cp932Lines({u"@TITLE="_s, u"ヘッダ"_s, u"肉,牛"_s})
                              << QStringList{u"@TITLE="_s, u"ヘッダ"_s, u"肉,牛"_s};
        QTest::newRow("lone lf and no final break")
            << QByteArray("a\r\nb\nc") << QStringList{u"a"_s, u"b"_s, u"c"_s};
        // Old Macintosh files end lines with CR alone.
        QTest::newRow("lone cr ends a line")
            << QByteArray("a\rb\r\n\r\r\nc\r")
            << QStringList{u"a"_s, u"b"_s, QString(), QString(), u"c"_s};
        QTest::newRow("empty lines")
            << QByteArray("\r\n\r\nx\r\n") << QStringList{QString(), QString(), u"x"_s};
        // Each bad sequence is one U+FFFD; the rest of its line and the
        // following lines decode as usual.
        QTest::newRow("invalid trail byte") << QByteArray("ok\r\n\x81\x20"
                                                          "bad\r\nok2\r\n")
                                            << QStringList{u"ok"_s, u"\uFFFD bad"_s, u"ok2"_s};
        QTest::newRow("lead byte before line end")
            << QByteArray("a\x81\r\nb\r\n") << QStringList{u"a\uFFFD"_s, u"b"_s};
        QTest::newRow("lead byte at the very end")
            << QByteArray("a\r\nb\x82") << QStringList{u"a"_s, u"b\uFFFD"_s};
        QTest::newRow("unassigned code")
            << QByteArray("\x85\x40x\r\n") << QStringList{u"\uFFFDx"_s};
        QTest::newRow("bad byte in a name, fields after it")
            << QByteArray("\"\x93\xf7\xa0\",\"\x8b\x8d\",\"\x97\xbf\x97\x9d\"\r\n\"\x8b\x9b\"\r\n")
            << QStringList{u"\"肉\uFFFD\",\"牛\",\"料理\""_s, u"\"魚\""_s};
        QByteArray big;
        QStringList bigLines;
        for (int i = 0; i < 40000; ++i) {
            const QString line = u"\"肉\",\"牛%1\",\"ステーキ\""_s.arg(i);
            big += Cp932::encodeLossy(line) + "\r\n";
            bigLines.append(line);
        }
        QTest::newRow("characters across chunk borders") << big << bigLines;
    }
    void decodedLines()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, expected);
        TempProgramFolder home;
        home.write(u"f.csv"_s, content);
        QStringList got;
        QVERIFY(readLines(home.file(u"f.csv"_s), got));
        QCOMPARE(got, expected);
    }

    void missingFileAndStop()
    {
        TempProgramFolder home;
        QStringList lines;
        QVERIFY(!readLines(home.file(u"none.csv"_s), lines));
        home.write(u"f.csv"_s, "a\r\nb\r\n");
        QVERIFY(!readLines(home.file(u"f.csv"_s), lines, [] { return false; }));
    }
};

QTEST_GUILESS_MAIN(TestFastRowSplitter)
#include "tst_fastrowsplitter.moc"
