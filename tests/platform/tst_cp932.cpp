#include "platform/cp932.h"
#include "platform/textfile.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestCp932 : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void decodeKnownBytes_data();
    void decodeKnownBytes();
    void invalidBytesAreFlagged_data();
    void invalidBytesAreFlagged();
    void normalizeThenEncode_data();
    void normalizeThenEncode();
    void refusesWhatCp932CannotHold();
    void leftBytesNeverSplitsACharacter_data();
    void leftBytesNeverSplitsACharacter();
    void splitLines_data();
    void splitLines();
};

void TestCp932::decodeKnownBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("wave dash") << QByteArray("\x81\x60") << u"\uFF5E"_s;
    QTest::newRow("backslash-like") << QByteArray("\x81\x5F") << u"\uFF3C"_s;
    QTest::newRow("kanji") << QByteArray("\x97\xbf\x97\x9d") << u"料理"_s;
    QTest::newRow("half-width kana") << QByteArray("\xb8\xd8") << u"ｸﾘ"_s;
    QTest::newRow("NEC circled one") << QByteArray("\x87\x40") << u"①"_s;
}

void TestCp932::decodeKnownBytes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    bool invalid = true;
    QCOMPARE(Cp932::decode(bytes, &invalid), text);
    QVERIFY(!invalid);
    QByteArray back;
    QVERIFY(Cp932::encode(text, &back));
    QCOMPARE(back, bytes);
}

void TestCp932::invalidBytesAreFlagged_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("lone lead byte at end") << QByteArray("abc\x81") << u"abc\uFFFD"_s;
    QTest::newRow("bad trail byte") << QByteArray("\x81\x20x") << u"\uFFFD x"_s;
    QTest::newRow("undefined single byte") << QByteArray("a\xa0z") << u"a\uFFFDz"_s;
    QTest::newRow("stray bytes") << QByteArray("\x80\xfd\xfe\xff") << u"\uFFFD\uFFFD\uFFFD\uFFFD"_s;
    // What follows a bad byte must decode as usual: quotes and commas too.
    QTest::newRow("unassigned pair, then fields")
        << QByteArray("\x85\x40,\"\x97\xbf\x97\x9d\",x") << u"\uFFFD,\"料理\",x"_s;
    QTest::newRow("two bad bytes apart")
        << QByteArray("\xa0\x93\xf7,\xeb\x40,\"\xb8\xd8\"") << u"\uFFFD肉,\uFFFD,\"ｸﾘ\""_s;
}

void TestCp932::invalidBytesAreFlagged()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    bool invalid = false;
    const QString decoded = Cp932::decode(bytes, &invalid);
    QVERIFY(invalid);
    QCOMPARE(decoded, text);
    // The replacement character can never be written back silently.
    QVERIFY(!Cp932::encode(decoded, nullptr));
}

void TestCp932::normalizeThenEncode_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("U+301C wave dash") << u"1\u301C2"_s
                                      << QByteArray("1\x81\x60"
                                                    "2");
    QTest::newRow("U+2212 minus") << u"\u2212"_s << QByteArray("\x81\x7c");
    QTest::newRow("U+2016") << u"\u2016"_s << QByteArray("\x81\x61");
    QTest::newRow("cent pound not")
        << u"\u00A2\u00A3\u00AC"_s << QByteArray("\x81\x91\x81\x92\x81\xca");
    QTest::newRow("U+2014 em dash") << u"\u2014"_s << QByteArray("\x81\x5c");
    // What web pages hold where CP932 has a look-alike.
    QTest::newRow("no-break and thin spaces") << u"1\u00A0g\u2009x"_s << QByteArray("1 g x");
    QTest::newRow("invisible characters vanish")
        << u"a\u200Bb\uFEFFc\u00ADd"_s << QByteArray("abcd");
    QTest::newRow("yen sign") << u"\u00A5100"_s
                              << QByteArray("\x81\x8f"
                                            "100");
    QTest::newRow("bullet and middle dot") << u"\u2022a\u00B7b"_s
                                           << QByteArray("\x81\x45"
                                                         "a\x81\x45"
                                                         "b");
    QTest::newRow("en dash") << u"1\u20132"_s
                             << QByteArray("1\x81\x5c"
                                           "2");
    QTest::newRow("signs and fractions")
        << u"\u00A9\u2122\u00BD\u00BC"_s << QByteArray("(C)TM1/21/4");
    QTest::newRow("accented letters") << u"Caf\u00E9 cre\u0300me"_s << QByteArray("Cafe creme");
}

void TestCp932::normalizeThenEncode()
{
    QFETCH(QString, input);
    QFETCH(QByteArray, bytes);
    QByteArray out;
    QVERIFY(Cp932::encode(Cp932::normalize(input), &out));
    QCOMPARE(out, bytes);
}

void TestCp932::refusesWhatCp932CannotHold()
{
    QString bad;
    QByteArray out = "untouched";
    QVERIFY(!Cp932::encode(u"鍋に🍲を"_s, &out, &bad));
    QCOMPARE(bad, u"🍲"_s);
    QCOMPARE(out, QByteArray("untouched"));
    QVERIFY(!Cp932::encode(u"한국"_s, &out, &bad));
    QCOMPARE(bad, u"한"_s);
    QCOMPARE(Cp932::codePoint(u"🍲"_s), u"U+1F372"_s);
    QCOMPARE(Cp932::codePoint(u"\u00A0"_s), u"U+00A0"_s);
}

void TestCp932::leftBytesNeverSplitsACharacter_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("max");
    QTest::addColumn<QString>("expected");
    QTest::newRow("ascii") << u"abcdef"_s << 4 << u"abcd"_s;
    QTest::newRow("double byte cut") << u"あいう"_s << 5 << u"あい"_s;
    QTest::newRow("mixed") << u"aあｱb"_s << 4 << u"aあｱ"_s;
}

void TestCp932::leftBytesNeverSplitsACharacter()
{
    QFETCH(QString, text);
    QFETCH(int, max);
    QFETCH(QString, expected);
    QCOMPARE(Cp932::leftBytes(text, max), expected);
}

void TestCp932::splitLines_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QList<QByteArray>>("lines");
    QTest::newRow("crlf") << QByteArray("a\r\nb\r\n") << QList<QByteArray>{"a", "b"};
    QTest::newRow("no final end") << QByteArray("a\r\nb") << QList<QByteArray>{"a", "b"};
    QTest::newRow("lone lf") << QByteArray("a\nb\n") << QList<QByteArray>{"a", "b"};
    QTest::newRow("lone cr ends a line") << QByteArray("a\rb\r\n") << QList<QByteArray>{"a", "b"};
    QTest::newRow("cr only") << QByteArray("a\r\rb") << QList<QByteArray>{"a", "", "b"};
    QTest::newRow("empty lines") << QByteArray("\r\n\r\nx\r\n") << QList<QByteArray>{"", "", "x"};
    QTest::newRow("empty") << QByteArray() << QList<QByteArray>{};
    QTest::newRow("cr at the very end") << QByteArray("a\r") << QList<QByteArray>{"a"};
    QTest::newRow("cr, text, lf") << QByteArray("a\rb\nc\r\r\n")
                                  << QList<QByteArray>{"a", "b", "c", ""};
}

void TestCp932::splitLines()
{
    QFETCH(QByteArray, content);
    QFETCH(QList<QByteArray>, lines);
    QCOMPARE(TextFile::splitLines(content), lines);
}

QTEST_GUILESS_MAIN(TestCp932)
#include "tst_cp932.moc"
