#include "platform/cp932.h"
#include "recipe/recipefileformat.h"
#include "recipe/recordcodec.h"
#include "recipe/texthelpers.h"
#include "testsupport.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;

class TestRecordCodec : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void splitRecordLine_data();
    void splitRecordLine();
    void multilineCodec_data();
    void multilineCodec();
    void rowsAlwaysStayOnOneLine_data();
    void rowsAlwaysStayOnOneLine();
    void randomRecordsRoundTrip();
    void moreThan200FieldsKeepsFirst200();
    void veryLongLinesAreWholeInBothDirections();
    void sampleRows();
    void sortKey_data();
    void sortKey();
    void squeezeChar_data();
    void squeezeChar();
    void pathParts_data();
    void pathParts();
    void splitText_data();
    void splitText();
    void fileExists_data();
    void fileExists();
};

void TestRecordCodec::splitRecordLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("quotes, doubled quote, blanks kept")
        << u"\"a,b\",\"c\"\"d\", e ,f"_s << QStringList{u"a,b"_s, u"c\"d"_s, u" e "_s, u"f"_s};
    QTest::newRow("tab separates like comma") << u"a\tb,c"_s << QStringList{u"a"_s, u"b"_s, u"c"_s};
    QTest::newRow("text after closing quote joins")
        << u"\"ab\"cd,x"_s << QStringList{u"abcd"_s, u"x"_s};
    QTest::newRow("blanks before opening quote dropped")
        << u"  \"a\",b"_s << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("blanks after closing quote skipped")
        << u"\"a\"   b,c"_s << QStringList{u"ab"_s, u"c"_s};
    QTest::newRow("quote in the middle starts quoting")
        << u"ab\"c,d\",e"_s << QStringList{u"abc,d"_s, u"e"_s};
    QTest::newRow("unterminated quote runs to end") << u"\"a,b,c"_s << QStringList{u"a,b,c"_s};
    QTest::newRow("control characters dropped")
        << u"a\u0001b\u0008,c"_s << QStringList{u"ab"_s, u"c"_s};
    QTest::newRow("empty line") << QString() << QStringList{};
    QTest::newRow("comma inside quotes with tab")
        << u"\"a\tb\",c"_s << QStringList{u"a\tb"_s, u"c"_s};
}

void TestRecordCodec::splitRecordLine()
{
    QFETCH(QString, line);
    QFETCH(QStringList, fields);
    const RecipeRecord r = RecordCodec::splitRecordLine(line);
    for (int i = 0; i < fields.size(); ++i)
        QCOMPARE(r.field(i + 1), fields.at(i));
    for (int n = int(fields.size()) + 1; n <= RecipeRecord::fieldCount; ++n)
        QVERIFY(r.field(n).isEmpty());
}

void TestRecordCodec::multilineCodec_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("encoded");
    QTest::addColumn<QString>("decoded");
    QTest::newRow("two lines and trailing breaks")
        << u"一行目\r\n二行目\r\n\r\n"_s << u"一行目\\n二行目"_s << u"一行目\r\n二行目"_s;
    QTest::newRow("quotes doubled")
        << u"「\"強火\"で」"_s << u"「\"\"強火\"\"で」"_s << u"「\"\"強火\"\"で」"_s;
    QTest::newRow("lone LF and lone CR are line breaks")
        << u"a\nb\rc"_s << u"a\\nb\\nc"_s << u"a\r\nb\r\nc"_s;
    QTest::newRow("inner empty line kept") << u"a\r\n\r\nb"_s << u"a\\n\\nb"_s << u"a\r\n\r\nb"_s;
    QTest::newRow("empty") << QString() << QString() << QString();
}

void TestRecordCodec::multilineCodec()
{
    QFETCH(QString, text);
    QFETCH(QString, encoded);
    QFETCH(QString, decoded);
    QCOMPARE(RecordCodec::encodeMultiline(text), encoded);
    QCOMPARE(RecordCodec::decodeMultiline(encoded), decoded);
}

void TestRecordCodec::rowsAlwaysStayOnOneLine_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("value");
    QTest::newRow("multi-line field with lone CR") << 7 << u"a\rb"_s;
    QTest::newRow("single-line field with LF") << 10 << u"2\n3"_s;
    QTest::newRow("kept field with CR LF") << 35 << u"x\r\ny"_s;
}

void TestRecordCodec::rowsAlwaysStayOnOneLine()
{
    QFETCH(int, field);
    QFETCH(QString, value);
    RecipeRecord r;
    r.setField(3, u"料理"_s);
    r.setField(field, value);
    const QString row = RecordCodec::writeRecordLine(r, r.lastNonEmptyField());
    QVERIFY(!row.contains(u'\r'));
    QVERIFY(!row.contains(u'\n'));
}

static QString randomText(QRandomGenerator &rng)
{
    static const QString alphabet = u"abcXYZ 019,\"\t\r\n\\n　あいう漢字ｱｲｳｶﾞ①～－＼@'!"_s;
    QString s;
    const int len = int(rng.bounded(12));
    for (int i = 0; i < len; ++i)
        s += alphabet.at(int(rng.bounded(quint32(alphabet.size()))));
    return s;
}

// What the format itself changes when a field is stored.
static QString expectedBack(int n, const QString &value)
{
    if (RecipeRecord::isMultiline(n)) {
        QString t = value;
        t.replace(u"\r\n"_s, u"\n"_s);
        t.replace(u'\r', u'\n');
        while (t.endsWith(u'\n'))
            t.chop(1);
        t.replace(u"\\n"_s, u"\n"_s); // a literal backslash-n reads as a line break
        while (t.endsWith(u'\n'))
            t.chop(1);
        t.replace(u'\n', u"\r\n"_s);
        return t;
    }
    QString t = value;
    t.replace(u"\r\n"_s, u" "_s);
    t.replace(u'\r', u' ');
    t.replace(u'\n', u' ');
    return n <= 3 ? TextHelpers::trimBlanks(t) : t; // blanks only: "　" and TAB stay
}

void TestRecordCodec::randomRecordsRoundTrip()
{
    QRandomGenerator rng(20261208);
    for (int round = 0; round < 200; ++round) {
        RecipeRecord r;
        for (int n = 1; n <= RecipeRecord::fieldCount; ++n)
            r.setField(n, randomText(rng));
        const QString row = RecordCodec::writeRecordLine(r, RecipeRecord::fieldCount);
        // Through the codec of the file, as the program stores it.
        QByteArray bytes;
        QVERIFY(Cp932::encode(Cp932::normalize(row), &bytes));
        const RecipeRecord back = RecordCodec::splitRecordLine(Cp932::decode(bytes));
        for (int n = 1; n <= RecipeRecord::fieldCount; ++n) {
            QString got = back.field(n);
            if (RecipeRecord::isMultiline(n))
                got = RecordCodec::decodeMultiline(got);
            const QString want = Cp932::normalize(expectedBack(n, r.field(n)));
            if (got != want)
                QFAIL(
                    qPrintable(u"round %1 field %2: %3 != %4"_s.arg(round).arg(n).arg(got, want)));
        }
    }
}

void TestRecordCodec::moreThan200FieldsKeepsFirst200()
{
    QStringList parts;
    for (int i = 1; i <= 250; ++i)
        parts << QString::number(i);
    const RecipeRecord r = RecordCodec::splitRecordLine(parts.join(u','));
    QCOMPARE(r.field(200), u"200"_s);
    QCOMPARE(r.lastNonEmptyField(), 200);
}

void TestRecordCodec::veryLongLinesAreWholeInBothDirections()
{
    RecipeRecord r;
    r.setField(3, u"長い"_s);
    r.setField(8, QString(40000, u'あ') + u"\r\n"_s + QString(30000, u'x'));
    const QString row = RecordCodec::writeRecordLine(r);
    QVERIFY(row.size() > 70000);
    const RecipeRecord back = RecordCodec::splitRecordLine(row);
    QCOMPARE(RecordCodec::decodeMultiline(back.field(8)), r.field(8));
}

void TestRecordCodec::sampleRows()
{
    const RecipeRecord r = RecordCodec::splitRecordLine(RecipeFileFormat::sampleRows.at(0));
    QCOMPARE(r.field(4), u"0|1|0|0|0|0|0|"_s);
    QVERIFY(r.flag(2));
    QVERIFY(!r.flag(1));
    QCOMPARE(r.field(13), u"飯/麺"_s);
    QCOMPARE(r.field(18), u"qv"_s);
    for (int n = 19; n <= 29; ++n)
        QVERIFY(r.field(n).isEmpty());
    QCOMPARE(RecordCodec::decodeMultiline(r.field(7)), u"冷やご飯\r\nじゃがいも"_s);

    QFile golden(QStringLiteral(QV_TEST_DATA_DIR "/new-sample-file.csv"));
    QVERIFY(golden.open(QIODevice::ReadOnly));
    QByteArray expected;
    for (const QString &line : RecipeFileFormat::newFileMetadata +
                                   QStringList{RecipeFileFormat::RecipeFileHeader} +
                                   RecipeFileFormat::sampleRows)
        expected += Cp932::encodeLossy(line) + "\r\n";
    QCOMPARE(expected, golden.readAll());
}

void TestRecordCodec::sortKey_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<int>("order"); // sign of a's key compared with b's
    QTest::newRow("field 1 decides") << u"a,z,z"_s << u"b,a,a"_s << -1;
    // field 2 counts 10 characters (20 bytes at two a character), field 3 25
    QTest::newRow("field 2 cut at 10 characters")
        << u"a,0123456789X,b"_s << u"a,0123456789A,a"_s << 1;
    QTest::newRow("field 3 cut at 25 characters") << (u"a,b,"_s + QString(25, u'x') + u"Z"_s)
                                                  << (u"a,b,"_s + QString(25, u'x') + u"A"_s) << 0;
    QTest::newRow("field 1 has 20 characters")
        << (QString(19, u'x') + u"Z,a,a"_s) << (QString(19, u'x') + u"A,b,b"_s) << 1;
    QTest::newRow("blanks trimmed") << u" a ,b,c"_s << u"a,b,c"_s << 0;
    // The ideographic space and TAB are text, not blanks: they sort after "a"
    // and before it (U+3000 and U+0009).
    QTest::newRow("leading ideographic space kept") << u"　a,b,c"_s << u"a,b,c"_s << 1;
    QTest::newRow("ideographic space in field 3 kept") << u"a,b,　c"_s << u"a,b,c"_s << 1;
    QTest::newRow("leading TAB kept") << u"\"\ta\",b,c"_s << u"a,b,c"_s << -1;
    QTest::newRow("short field padded with blanks") << u"ab,x,y"_s << u"a,x,y"_s << 1;
}

void TestRecordCodec::sortKey()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(int, order);
    const QString ka = RecordCodec::sortKey(RecordCodec::splitRecordLine(a));
    const QString kb = RecordCodec::sortKey(RecordCodec::splitRecordLine(b));
    QCOMPARE(ka.size(), 55);
    const int c = ka.compare(kb);
    QCOMPARE(c < 0 ? -1 : c > 0 ? 1 : 0, order);
}

void TestRecordCodec::squeezeChar_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("runs and trailing run") << u"a  b  "_s << u"a b"_s;
    QTest::newRow("leading run kept once") << u"  a"_s << u" a"_s;
    QTest::newRow("nothing to do") << u"ab"_s << u"ab"_s;
}

void TestRecordCodec::squeezeChar()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(TextHelpers::squeezeChar(text, u' '), expected);
}

void TestRecordCodec::pathParts_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("ext");
    QTest::newRow("windows") << u"C:\\a\\b.csv"_s << u"b.csv"_s << u"C:\\a\\"_s << u"csv"_s;
    QTest::newRow("relative") << u".\\sub\\a.csv"_s << u"a.csv"_s << u".\\sub\\"_s << u"csv"_s;
    QTest::newRow("slashes") << u"../pic/a.bmp"_s << u"a.bmp"_s << u"../pic/"_s << u"bmp"_s;
    QTest::newRow("bare") << u"a"_s << u"a"_s << QString() << QString();
    QTest::newRow("trailing dot") << u"a."_s << u"a."_s << QString() << QString();
    QTest::newRow("dots in folder") << u"x.y\\ab"_s << u"ab"_s << u"x.y\\"_s << QString();
}

void TestRecordCodec::pathParts()
{
    QFETCH(QString, path);
    QFETCH(QString, name);
    QFETCH(QString, folder);
    QFETCH(QString, ext);
    QCOMPARE(TextHelpers::fileNamePart(path), name);
    QCOMPARE(TextHelpers::folderPart(path), folder);
    QCOMPARE(TextHelpers::extensionPart(path), ext);
}

void TestRecordCodec::splitText_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("parts");
    QTest::newRow("lines") << 0 << u"a\r\nb"_s << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("unknown mode is lines") << -7 << u"a\r\nb"_s << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("encoded lines") << 2 << u"a\\nb"_s << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("quoted fields") << 3 << u"\"a,b\",c\td"_s << QStringList{u"a,b"_s, u"c\td"_s};
    QTest::newRow("plain fields") << 4 << u"\"a,b\",c"_s << QStringList{u"\"a"_s, u"b\""_s, u"c"_s};
    QTest::newRow("paragraphs") << 1 << u"a\r\nb\r\n \r\n\r\nc"_s
                                << QStringList{u"a\r\nb\r\n"_s, u"c\r\n"_s};
    QTest::newRow("paragraphs mode 9") << 9 << u"\r\na"_s << QStringList{u"a\r\n"_s};
}

void TestRecordCodec::splitText()
{
    QFETCH(int, mode);
    QFETCH(QString, text);
    QFETCH(QStringList, parts);
    QCOMPARE(TextHelpers::splitText(mode, text), parts);
}

void TestRecordCodec::fileExists_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("found");
    QTest::newRow("blank") << u"  "_s << QString();
    QTest::newRow("relative with backslash") << u".\\pic\\b.bmp"_s << u"b.bmp"_s;
    QTest::newRow("bare name") << u"r.csv"_s << u"r.csv"_s;
    QTest::newRow("missing") << u"none.csv"_s << QString();
    QTest::newRow("missing folder") << u"nope\\a.bmp"_s << QString();
    QTest::newRow("a folder is no file") << u"pic"_s << QString();
    QTest::newRow("pattern gives first by name") << u".\\pic\\*.bmp"_s << u"a.bmp"_s;
}

void TestRecordCodec::fileExists()
{
    QFETCH(QString, name);
    QFETCH(QString, found);
    TempProgramFolder home;
    home.write(u"r.csv"_s, "x");
    home.write(u"pic/b.bmp"_s, "x");
    home.write(u"pic/a.bmp"_s, "x");
    QCOMPARE(TextHelpers::fileExists(name), found);
}

QTEST_GUILESS_MAIN(TestRecordCodec)
#include "tst_recordcodec.moc"
