#include "app/settingsfile.h"
#include "testsupport.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

using namespace Qt::StringLiterals;

class TestSettingsFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void read_data();
    void read();
    void missingFileReadsEmptyAndFirstWriteCreatesIt();
    void writeKeepsEverythingElse();
    void writeAddsKeyToItsSection();
    void readSettingOrDefault();
    void batchWritesOnce();
    void unencodableValueIsRefused();
    void unreadableFileIsNeverOverwritten();
    void byteOrderMarkReadsAsNothing();
};

void TestSettingsFile::read_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    QTest::newRow("main section by empty name") << QString() << u"X"_s << u"100"_s;
    QTest::newRow("case-insensitive section and key") << u"size_bible"_s << u"left"_s << u"8"_s;
    QTest::newRow("value trimmed") << u"SIZE_BIBLE"_s << u"HEAD_FONTNAME"_s << u"ＭＳ ゴシック"_s;
    QTest::newRow("quotes removed") << u"QVRECIPE"_s << u"FILE"_s << u".\\sub\\a.csv"_s;
    QTest::newRow("key of another section not seen") << QString() << u"LEFT"_s << QString();
    QTest::newRow("comment is no key") << QString() << u";Y"_s << QString();
    QTest::newRow("long value cut at 254 bytes") << QString() << u"LONG"_s << QString(127, u'あ');
    QTest::newRow("missing key") << QString() << u"NOPE"_s << QString();
}

void TestSettingsFile::read()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    TempProgramFolder home;
    home.write(u"p.ini"_s, cp932Lines({u"[PROG]"_s, u"X=100"_s, u";Y=5"_s,
                                       u"LONG="_s + QString(130, u'あ'), u"[SIZE_BIBLE]"_s,
                                       u"  LEFT = 8 "_s, u"HEAD_FONTNAME=  ＭＳ ゴシック  "_s,
                                       u"[QVRECIPE]"_s, u"FILE=\".\\sub\\a.csv\""_s}));
    SettingsFile s(home.file(u"p.ini"_s), u"PROG"_s);
    QCOMPARE(s.readSetting(section, key), expected);
}

void TestSettingsFile::missingFileReadsEmptyAndFirstWriteCreatesIt()
{
    TempProgramFolder home;
    SettingsFile s(home.file(u"p.ini"_s), u"PROG"_s);
    QVERIFY(!s.exists());
    QCOMPARE(s.readSetting(QString(), u"X"_s), QString());
    QVERIFY(s.writeSetting(QString(), u"VERSION"_s, u"2.01.00"_s));
    QVERIFY(s.writeSetting(u"QVRECIPE"_s, u"FILE"_s, u"料理.csv"_s));
    QCOMPARE(home.read(u"p.ini"_s),
             cp932Lines({u"[PROG]"_s, u"VERSION=2.01.00"_s, u"[QVRECIPE]"_s, u"FILE=料理.csv"_s}));
}

void TestSettingsFile::writeKeepsEverythingElse()
{
    TempProgramFolder home;
    // An invalid byte and an NEC/IBM duplicate code in lines the write does not touch.
    const QByteArray original = "; my comment\r\n[prog]\r\nx = 1\r\nODD=\xed\x40\xff\r\n"
                                "\r\n[Other]\r\nX=9\r\n";
    home.write(u"p.ini"_s, original);
    SettingsFile s(home.file(u"p.ini"_s), u"PROG"_s);
    QVERIFY(s.writeSetting(QString(), u"X"_s, u"2"_s));
    QCOMPARE(home.read(u"p.ini"_s),
             QByteArray("; my comment\r\n[prog]\r\nX=2\r\nODD=\xed\x40\xff\r\n"
                        "\r\n[Other]\r\nX=9\r\n"));
}

void TestSettingsFile::writeAddsKeyToItsSection()
{
    TempProgramFolder home;
    home.write(u"p.ini"_s, cp932Lines({u"[A]"_s, u"K=1"_s, QString(), u"[B]"_s, u"K=2"_s}));
    SettingsFile s(home.file(u"p.ini"_s), u"A"_s);
    QVERIFY(s.writeSetting(u"a"_s, u"NEW"_s, u"x"_s));
    QCOMPARE(home.read(u"p.ini"_s),
             cp932Lines({u"[A]"_s, u"K=1"_s, u"NEW=x"_s, QString(), u"[B]"_s, u"K=2"_s}));
    QCOMPARE(s.readSetting(u"B"_s, u"K"_s), u"2"_s);
}

void TestSettingsFile::readSettingOrDefault()
{
    TempProgramFolder home;
    SettingsFile s(home.file(u"p.ini"_s), u"A"_s);
    QCOMPARE(s.readSettingOrDefault(QString(), u"FOOT_DOWN"_s, u"-4"_s), u"-4"_s);
    QVERIFY(s.writeSetting(QString(), u"FOOT_DOWN"_s, u"3"_s));
    QCOMPARE(s.readSettingOrDefault(QString(), u"FOOT_DOWN"_s, u"-4"_s), u"3"_s);
}

void TestSettingsFile::batchWritesOnce()
{
    TempProgramFolder home;
    SettingsFile s(home.file(u"p.ini"_s), u"A"_s);
    {
        SettingsFile::Batch batch(s);
        s.writeSetting(QString(), u"K1"_s, u"1"_s);
        QCOMPARE(s.readSetting(QString(), u"K1"_s), u"1"_s);
        QVERIFY(!QFile::exists(home.file(u"p.ini"_s)));
        s.writeSetting(QString(), u"K2"_s, u"2"_s);
    }
    QCOMPARE(home.read(u"p.ini"_s), cp932Lines({u"[A]"_s, u"K1=1"_s, u"K2=2"_s}));
}

void TestSettingsFile::unencodableValueIsRefused()
{
    TempProgramFolder home;
    home.write(u"p.ini"_s, cp932Lines({u"[A]"_s, u"FONT=old"_s}));
    SettingsFile s(home.file(u"p.ini"_s), u"A"_s);
    QVERIFY(!s.writeSetting(QString(), u"FONT"_s, u"Noto 한글"_s));
    QVERIFY(s.lastError().contains(u"한"_s));
    QCOMPARE(s.readSetting(QString(), u"FONT"_s), u"old"_s);
}

void TestSettingsFile::unreadableFileIsNeverOverwritten()
{
    TempProgramFolder home;
    // A folder in the file's place exists but cannot be read as a file.
    QVERIFY(QDir(home.path()).mkdir(u"p.ini"_s));
    SettingsFile s(home.file(u"p.ini"_s), u"A"_s);
    QVERIFY(!s.writeSetting(QString(), u"K2"_s, u"2"_s));
    QVERIFY(!s.lastError().isEmpty());
    QVERIFY(QFileInfo(home.file(u"p.ini"_s)).isDir());
}

void TestSettingsFile::byteOrderMarkReadsAsNothing()
{
    // As an editor saves the file in UTF-8: the mark, then UTF-8 lines.
    TempProgramFolder home;
    const QByteArray saved = "\xEF\xBB\xBF[PROG]\r\nX=100\r\n[SIZE_A5]\r\n" +
                             u"HEAD_FONTNAME=ＭＳ 明朝"_s.toUtf8() + "\r\n";
    home.write(u"p.ini"_s, saved);
    SettingsFile s(home.file(u"p.ini"_s), u"PROG"_s);
    QCOMPARE(s.readSetting(QString(), u"X"_s), u"100"_s);
    QCOMPARE(s.readSetting(u"SIZE_A5"_s, u"HEAD_FONTNAME"_s), u"ＭＳ 明朝"_s);
    QVERIFY(s.writeSetting(QString(), u"Y"_s, u"200"_s));
    QVERIFY(s.writeSetting(u"QVPOST"_s, u"NAME1"_s, u"山田"_s));
    QCOMPARE(home.read(u"p.ini"_s), "\xEF\xBB\xBF[PROG]\r\nX=100\r\nY=200\r\n[SIZE_A5]\r\n" +
                                        u"HEAD_FONTNAME=ＭＳ 明朝"_s.toUtf8() + "\r\n[QVPOST]\r\n" +
                                        u"NAME1=山田"_s.toUtf8() + "\r\n");
}

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
