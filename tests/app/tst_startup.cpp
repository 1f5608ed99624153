#include "app/startup.h"
#include "platform/singleinstance.h"
#include "print/engine/paperformat.h"
#include "recipe/vocabularyfile.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

class FakeHost : public StartupHost
{
public:
    QString programFilePath() const override { return u"/opt/x/QVRECIPE"_s; }
    void setCaption(const QString &c) override { caption = c; }
    QSize screenSizeTwips() const override { return {19200, 14400}; }
    QSize windowSizeTwips() const override { return {12000, 8655}; }
    void moveWindowTwips(int left, int top) override { moved = {left, top}; }
    bool printingAvailable() const override { return printing; }
    std::optional<double> printerLeftOffsetMm() const override { return offset; }
    bool acquireSingleInstance(const QString &dir) override { return instance.acquire(dir); }

    QString caption;
    QPoint moved;
    bool printing = true;
    std::optional<double> offset;
    SingleInstance instance;
};

int start(AppState &state, FakeHost &host, ScriptedPrompts &prompts)
{
    return Startup::runStartup(state, host, prompts, u"2.01.00"_s);
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void firstRunCreatesEverything();
    void secondStartIsNormal();
    void upgradeKeepsUserValues();
    void missingVocabularyIsRewrittenWithoutVersionBox();
    void secondCopyIsRefusedPerFolder();
    void printerWarningOnlyWithoutPrinting();
    void marginProbe_data();
    void marginProbe();
    void commandLine_data();
    void commandLine();
    void closeStoresPositionOnlyInNormalState();
    void writesThatFailAreReported();
};

void TestStartup::firstRunCreatesEverything()
{
    TempProgramFolder home;
    AppState state;
    FakeHost host;
    ScriptedPrompts prompts;
    QCOMPARE(start(state, host, prompts), int(Startup::FirstRun));
    Startup::ensureVocabularyFile(state, Startup::FirstRun);
    QVERIFY(prompts.shown.isEmpty());
    QCOMPARE(host.caption, u"QVRECIPE"_s);
    QCOMPARE(state.programName, u"QVRECIPE"_s);
    QCOMPARE(state.programDir, home.path());
    QVERIFY(QFileInfo(home.file(u"bak"_s)).isDir());
    QVERIFY(QFileInfo(home.file(u"dat"_s)).isDir());
    QCOMPARE(QDir::currentPath() + u'/', home.path());
    // Centred: (19200 - 12000) / 2, (14400 - 8655) / 2
    QCOMPARE(host.moved, QPoint(3600, 2872));

    QFile golden(QStringLiteral(QV_TEST_DATA_DIR "/first-run.ini"));
    QVERIFY(golden.open(QIODevice::ReadOnly));
    QCOMPARE(home.read(u"QVRECIPE.ini"_s), golden.readAll());
    QFile vocabulary(QStringLiteral(QV_TEST_DATA_DIR "/qvrecipe.txt"));
    QVERIFY(vocabulary.open(QIODevice::ReadOnly));
    QCOMPARE(home.read(u"qvrecipe.txt"_s), vocabulary.readAll());

    QCOMPARE(state.paperType, 0);
    QCOMPARE(state.layout.WIDTH, 88);
    QCOMPARE(state.layout.usableHeight, 167);
    QCOMPARE(state.layout.FOOT_HEIGHT, 156);
    QCOMPARE(state.layout.footDownOn, 0);
}

void TestStartup::secondStartIsNormal()
{
    TempProgramFolder home;
    {
        AppState state;
        FakeHost host;
        ScriptedPrompts prompts;
        QCOMPARE(start(state, host, prompts), int(Startup::FirstRun));
    }
    AppState state;
    FakeHost host;
    ScriptedPrompts prompts;
    QCOMPARE(start(state, host, prompts), int(Startup::Normal));
}

void TestStartup::upgradeKeepsUserValues()
{
    TempProgramFolder home;
    home.write(u"QVRECIPE.ini"_s, cp932Lines({u"[QVRECIPE]"_s, u"VERSION=1.00.00"_s, u"X=1000"_s,
                                              u"Y=2000"_s, u"YOUSI=6"_s, u"FOOT_DOWN=4"_s,
                                              u"KAZARI=9"_s, u"[SIZE_A5]"_s, u"LEFT=30"_s}));
    AppState state;
    FakeHost host;
    ScriptedPrompts prompts;
    QCOMPARE(start(state, host, prompts), int(Startup::Upgraded));
    const SettingsFile &s = *state.settings;
    QCOMPARE(s.readSetting(QString(), u"VERSION"_s), u"2.01.00"_s);
    QCOMPARE(s.readSetting(QString(), u"X"_s), u"1000"_s);
    QCOMPARE(s.readSetting(QString(), u"Y"_s), u"2000"_s);
    QCOMPARE(s.readSetting(QString(), u"YOUSI"_s), u"6"_s);
    QCOMPARE(s.readSetting(QString(), u"FOOT_DOWN"_s), u"4"_s);
    QCOMPARE(s.readSetting(QString(), u"KAZARI"_s), u"1"_s);
    QCOMPARE(s.readSetting(u"SIZE_A5"_s, u"LEFT"_s), u"12"_s);
    QCOMPARE(host.moved, QPoint(1000, 2000));
    QCOMPARE(state.paperType, 6);
    // FOOT_DOWN 4 is on: the footer moves down by 4 from 186
    QCOMPARE(state.layout.FOOT_HEIGHT, 190);
    QCOMPARE(state.layout.footHeightSaved, 186);
}

void TestStartup::missingVocabularyIsRewrittenWithoutVersionBox()
{
    TempProgramFolder home;
    {
        AppState state;
        FakeHost host;
        ScriptedPrompts prompts;
        start(state, host, prompts);
    }
    home.write(u"qvrecipe.txt"_s, cp932Lines({u"[目的]"_s, u"自作"_s}));
    AppState state;
    FakeHost host;
    ScriptedPrompts prompts;
    const int result = start(state, host, prompts);
    QCOMPARE(result, int(Startup::Normal));
    Startup::ensureVocabularyFile(state, result);
    QCOMPARE(home.read(u"qvrecipe.txt"_s), cp932Lines({u"[目的]"_s, u"自作"_s}));
    QFile::remove(home.file(u"qvrecipe.txt"_s));
    Startup::ensureVocabularyFile(state, result);
    QCOMPARE(home.read(u"qvrecipe.txt"_s), VocabularyFile::defaultBytes());
}

void TestStartup::secondCopyIsRefusedPerFolder()
{
    TempProgramFolder home;
    AppState first;
    FakeHost host1;
    ScriptedPrompts prompts1;
    QVERIFY(start(first, host1, prompts1) != Startup::AlreadyRunning);

    AppState second;
    FakeHost host2;
    ScriptedPrompts prompts2;
    QCOMPARE(start(second, host2, prompts2), int(Startup::AlreadyRunning));
    QCOMPARE(prompts2.lastText(), u"既に起動されています。"_s);

    TempProgramFolder other; // another program folder is not blocked
    AppState third;
    FakeHost host3;
    ScriptedPrompts prompts3;
    QVERIFY(start(third, host3, prompts3) != Startup::AlreadyRunning);
}

void TestStartup::printerWarningOnlyWithoutPrinting()
{
    TempProgramFolder home;
    AppState state;
    FakeHost host;
    host.printing = false;
    ScriptedPrompts prompts;
    start(state, host, prompts);
    QCOMPARE(prompts.shown.size(), 1);
    QCOMPARE(prompts.shown.front().icon, Prompts::Icon::Exclamation);
    QVERIFY(
        prompts.lastText().startsWith(u"プリンターをセットアップしてから使ってください。\r\n"_s));
}

void TestStartup::marginProbe_data()
{
    QTest::addColumn<std::optional<double>>("offset");
    QTest::addColumn<int>("yohaku");
    QTest::newRow("no probe") << std::optional<double>() << 3;
    QTest::newRow("4.6 mm rounds to 5") << std::optional<double>(4.6) << 5;
    QTest::newRow("6 mm is too wide") << std::optional<double>(6.0) << 3;
    QTest::newRow("0 mm ignored") << std::optional<double>(0.2) << 3;
    QTest::newRow("same as LEFT (8) impossible below 6") << std::optional<double>(5.0) << 5;
}

void TestStartup::marginProbe()
{
    QFETCH(std::optional<double>, offset);
    QFETCH(int, yohaku);
    TempProgramFolder home;
    AppState state;
    FakeHost host;
    host.offset = offset;
    ScriptedPrompts prompts;
    start(state, host, prompts);
    QCOMPARE(int(state.layout.YOHAKU), yohaku);
    // Only the value in force changes, never the file.
    QCOMPARE(state.settings->readSetting(QString(), u"YOHAKU"_s), u"3"_s);
}

void TestStartup::commandLine_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("clip");
    QTest::newRow("upper case with blanks") << u"QVRECIPE"_s << u"  /CLIP  "_s << true;
    QTest::newRow("clip2") << u"QVRECIPE"_s << u"/clip2"_s << false;
    QTest::newRow("empty") << u"QVRECIPE"_s << QString() << false;
    QTest::newRow("ends in /clip") << u"QVRECIPE"_s << u"xyz/clip"_s << true;
    QTest::newRow("lower-case program name") << u"qvrecipe"_s << u"/clip"_s << false;
}

void TestStartup::commandLine()
{
    QFETCH(QString, caption);
    QFETCH(QString, line);
    QFETCH(bool, clip);
    QCOMPARE(Startup::wantsClipboardAnalysis(caption, caption, line), clip);
}

void TestStartup::closeStoresPositionOnlyInNormalState()
{
    TempProgramFolder home;
    AppState state;
    FakeHost host;
    ScriptedPrompts prompts;
    start(state, host, prompts);
    Startup::saveWindowPosition(state, false, 1, 2);
    QCOMPARE(state.settings->readSetting(QString(), u"X"_s), u"3600"_s);
    Startup::saveWindowPosition(state, true, 150, 300);
    QCOMPARE(state.settings->readSetting(QString(), u"X"_s), u"150"_s);
    QCOMPARE(state.settings->readSetting(QString(), u"Y"_s), u"300"_s);
}

void TestStartup::writesThatFailAreReported()
{
    TempProgramFolder home;
    // Links into a folder that is gone: nothing can be written through them.
    QVERIFY(QFile::link(home.file(u"gone/QVRECIPE.ini"_s), home.file(u"QVRECIPE.ini"_s)));
    QVERIFY(QFile::link(home.file(u"gone/qvrecipe.txt"_s), home.file(u"qvrecipe.txt"_s)));
    const QString missing = u"ファイルまたはフォルダーが見つかりません。"_s;
    const QString settingsFailed =
        u"設定ファイル[%1]に書き込めませんでした。\r\n"_s.arg(home.file(u"QVRECIPE.ini"_s)) +
        missing;
    AppState state;
    FakeHost host;
    ScriptedPrompts prompts;
    QCOMPARE(start(state, host, prompts), int(Startup::FirstRun));
    QCOMPARE(prompts.shown.size(), 1); // once, though the upgrade step writes again
    QCOMPARE(prompts.lastText(), settingsFailed);
    QCOMPARE(Startup::ensureVocabularyFile(state, Startup::FirstRun),
             u"ファイル[%1]に書き込めませんでした。\r\n"_s.arg(home.file(u"qvrecipe.txt"_s)) +
                 missing);
    QCOMPARE(Startup::saveWindowPosition(state, true, 150, 300), settingsFailed);
}

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
