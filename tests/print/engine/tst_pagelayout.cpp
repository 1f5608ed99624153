#include "platform/settingsfile.h"
#include "print/engine/pagelayout.h"
#include "print/engine/paperformat.h"
#include "testsupport.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestPageLayout : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void paperTable();
    void parseNumber_data();
    void parseNumber();
    void footDown_data();
    void footDown();
    void savingWritesTheSectionLoadingReads();
    void rewritingDefaultsKeepsUserChoices();
    void outOfRangePaperKeepsFormatFields();
    void fontNamesTrimmedAndSizesShortest();
};

void TestPageLayout::paperTable()
{
    QCOMPARE(PaperFormat::all().size(), std::size_t(25));
    for (int i = 0; i < 25; ++i)
        QCOMPARE(PaperFormat::byNumber(i)->number, i);
    QCOMPARE(PaperFormat::byNumber(7)->caption, u"Ａ６     "_s);
    QCOMPARE(PaperFormat::byNumber(0)->caption, u"バイブル   6穴(約17cm×9cm)"_s);
    QCOMPARE(PaperFormat::byNumber(16)->section, u"SIZE_CHYO_A7"_s);
    QVERIFY(!PaperFormat::byNumber(25));
    QVERIFY(!PaperFormat::byNumber(-1));
    QList<int> order(PaperFormat::writeOrder().begin(), PaperFormat::writeOrder().end());
    std::sort(order.begin(), order.end());
    for (int i = 0; i < 25; ++i)
        QCOMPARE(order.at(i), i);
}

void TestPageLayout::parseNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("asInt16");
    QTest::newRow("hex") << u"&HEEEEEE"_s << 15658734.0 << 32767;
    QTest::newRow("hex lower") << u"&h666666"_s << 6710886.0 << 32767;
    QTest::newRow("leading blanks and trailing text") << u"  12mm"_s << 12.0 << 12;
    QTest::newRow("negative") << u"-4"_s << -4.0 << -4;
    QTest::newRow("half to even up") << u"2.5"_s << 2.5 << 2;
    QTest::newRow("half to even down") << u"3.5"_s << 3.5 << 4;
    QTest::newRow("empty") << QString() << 0.0 << 0;
    QTest::newRow("no number") << u"abc"_s << 0.0 << 0;
    QTest::newRow("lone E is no exponent") << u"5E"_s << 5.0 << 5;
    QTest::newRow("too large clamps") << u"99999999999999999999"_s << 1e20 << 32767;
}

void TestPageLayout::parseNumber()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(int, asInt16);
    QCOMPARE(LayoutSettings::parseNumber(text), value);
    QCOMPARE(int(LayoutSettings::toInt16(LayoutSettings::parseNumber(text))), asInt16);
}

void TestPageLayout::footDown_data()
{
    QTest::addColumn<QString>("footDown");
    QTest::addColumn<int>("on");
    QTest::addColumn<int>("footInForce");
    QTest::addColumn<bool>("switchOnWhenSaving");
    QTest::addColumn<QString>("stored");
    QTest::newRow("default -4 is off") << u"-4"_s << 0 << 156 << false << u"-4"_s;
    QTest::newRow("4 is on and shifts") << u"4"_s << 1 << 160 << true << u"4"_s;
    QTest::newRow("4 switched off keeps amount") << u"4"_s << 1 << 160 << false << u"-4"_s;
    QTest::newRow("0 is on with no shift") << u"0"_s << 1 << 156 << false << u"0"_s;
}

void TestPageLayout::footDown()
{
    QFETCH(QString, footDown);
    QFETCH(int, on);
    QFETCH(int, footInForce);
    QFETCH(bool, switchOnWhenSaving);
    QFETCH(QString, stored);
    TempProgramFolder home;
    SettingsFile s(home.file(u"t.ini"_s), u"QVRECIPE"_s);
    LayoutSettings::writeLayoutDefaults(s, 0);
    s.writeSetting(QString(), u"FOOT_DOWN"_s, footDown);
    PageLayout l;
    LayoutSettings::loadPageLayout(s, 0, l);
    QCOMPARE(int(l.footDownOn), on);
    QCOMPARE(int(l.FOOT_HEIGHT), footInForce);
    QCOMPARE(int(l.footHeightSaved), 156);
    l.footDownOn = switchOnWhenSaving ? 1 : 0;
    LayoutSettings::saveLayoutSettings(s, 0, l);
    QCOMPARE(s.readSetting(QString(), u"FOOT_DOWN"_s), stored);
    QCOMPARE(s.readSetting(u"SIZE_BIBLE"_s, u"FOOT_HEIGHT"_s), u"156"_s);
}

void TestPageLayout::savingWritesTheSectionLoadingReads()
{
    TempProgramFolder home;
    SettingsFile s(home.file(u"t.ini"_s), u"QVRECIPE"_s);
    LayoutSettings::writeLayoutDefaults(s, 0);
    PageLayout l;
    LayoutSettings::loadPageLayout(s, 16, l);
    QCOMPARE(int(l.fourUpSheet), 1);
    QCOMPARE(int(l.WIDTH), 72);
    l.LEFT = 5;
    l.AMIKAKE_COLOR = 0xABCDEF;
    LayoutSettings::saveLayoutSettings(s, 16, l);
    QCOMPARE(s.readSetting(u"SIZE_CHYO_A7"_s, u"LEFT"_s), u"5"_s);
    QCOMPARE(s.readSetting(QString(), u"AMIKAKE_COLOR"_s), u"&HABCDEF"_s);
    QCOMPARE(s.readSetting(QString(), u"YOUSI"_s), u"16"_s);
    PageLayout again;
    LayoutSettings::loadPageLayout(s, 16, again);
    QCOMPARE(again, l);
}

void TestPageLayout::rewritingDefaultsKeepsUserChoices()
{
    TempProgramFolder home;
    SettingsFile s(home.file(u"t.ini"_s), u"QVRECIPE"_s);
    s.writeSetting(QString(), u"YOUSI"_s, u"6"_s);
    s.writeSetting(QString(), u"FOOT_DOWN"_s, u"7"_s);
    s.writeSetting(QString(), u"LINE_COLOR"_s, u"5"_s);
    s.writeSetting(u"QVPOST"_s, u"NAME"_s, u"山田"_s);
    s.writeSetting(u"QVPOST"_s, u"NAME1"_s, u"太郎"_s);
    s.writeSetting(u"SIZE_A5"_s, u"WIDTH"_s, u"99"_s);
    LayoutSettings::writeLayoutDefaults(s, 0);
    QCOMPARE(s.readSetting(QString(), u"YOUSI"_s), u"6"_s);
    QCOMPARE(s.readSetting(QString(), u"FOOT_DOWN"_s), u"7"_s);
    QCOMPARE(s.readSetting(QString(), u"LINE_COLOR"_s), u"0"_s);
    QCOMPARE(s.readSetting(u"QVPOST"_s, u"NAME1"_s), u"太郎"_s);
    QCOMPARE(s.readSetting(u"SIZE_A5"_s, u"WIDTH"_s), u"140"_s);
    QCOMPARE(s.readSetting(u"QVPOST_CARD"_s, u"S_ZIP_X"_s), u"6.2"_s);
}

void TestPageLayout::outOfRangePaperKeepsFormatFields()
{
    TempProgramFolder home;
    SettingsFile s(home.file(u"t.ini"_s), u"QVRECIPE"_s);
    LayoutSettings::writeLayoutDefaults(s, 0);
    PageLayout l;
    LayoutSettings::loadPageLayout(s, 6, l);
    LayoutSettings::loadPageLayout(s, 40, l);
    QCOMPARE(int(l.WIDTH), 140);
    QCOMPARE(int(l.fourUpSheet), 0);
    QCOMPARE(int(l.TABSTOP), 4);
}

void TestPageLayout::fontNamesTrimmedAndSizesShortest()
{
    TempProgramFolder home;
    SettingsFile s(home.file(u"t.ini"_s), u"QVRECIPE"_s);
    LayoutSettings::writeLayoutDefaults(s, 0);
    s.writeSetting(u"SIZE_BIBLE"_s, u"DATA_FONTNAME"_s, u"\"  ＭＳ 明朝  \""_s);
    PageLayout l;
    LayoutSettings::loadPageLayout(s, 0, l);
    QCOMPARE(l.DATA_FONTNAME, u"ＭＳ 明朝"_s);
    l.HEAD_FONTSIZE = 10.5f;
    l.DATA_FONTSIZE = 9;
    LayoutSettings::saveLayoutSettings(s, 0, l);
    QCOMPARE(s.readSetting(u"SIZE_BIBLE"_s, u"HEAD_FONTSIZE"_s), u"10.5"_s);
    QCOMPARE(s.readSetting(u"SIZE_BIBLE"_s, u"DATA_FONTSIZE"_s), u"9"_s);
}

QTEST_GUILESS_MAIN(TestPageLayout)
#include "tst_pagelayout.moc"
