#include "app/startup.h"
#include "platform/singleinstance.h"
#include "print/engine/paperformat.h"
#include "recipe/vocabularyfile.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <sys/wait.h>
#include <unistd.h>

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
    SingleInstance::Outcome acquireSingleInstance(const QString &dir) override
    {
        return instance.acquire(dir);
    }

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

// Start-up in a child process that has given up root's right to write
// anywhere, so that read-only files and folders refuse writes as they do for
// every user. Returns the result and the messages shown, one per line;
// empty when privileges cannot be dropped here.
QString startWithoutPrivileges()
{
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeFds[0]);
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(3);
        AppState state;
        FakeHost host;
        ScriptedPrompts prompts;
        QString out = QString::number(start(state, host, prompts));
        for (const ScriptedPrompts::Shown &shown : prompts.shown)
            out += u'\n' + shown.text;
        const QByteArray bytes = out.toUtf8();
        const bool written =
            ::write(pipeFds[1], bytes.constData(), size_t(bytes.size())) == ssize_t(bytes.size());
        ::_exit(written ? 0 : 4);
    }
    ::close(pipeFds[1]);
    QByteArray out;
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        out.append(buffer, n);
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? QString::fromUtf8(out) : QString();
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
    void onlyALiveCopyHoldsTheLock_data();
    void onlyALiveCopyHoldsTheLock();
    void readOnlyPlaces_data();
    void readOnlyPlaces();
    void damagedSettingsFile();
    void unreadableSettingsFileRunsOnDefaults();
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

void TestStartup::onlyALiveCopyHoldsTheLock_data()
{
    QTest::addColumn<QString>("setUp");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty lock file left by a power cut")
        << u"empty"_s << int(Startup::FirstRun) << QString();
    QTest::newRow("lock file of a copy on another machine")
        << u"other host"_s << int(Startup::FirstRun) << QString();
    QTest::newRow("lock name taken by a folder")
        << u"folder"_s << int(Startup::CannotStart)
        << u"プログラムフォルダー[%1]に書き込めません。\r\n"
           u"（同じ名前のフォルダーがあります）\r\n\r\n起動を中止します。"_s;
    QTest::newRow("program folder cannot be created")
        << u"under a file"_s << int(Startup::CannotStart)
        << u"プログラムフォルダー[%1]を作成できません。\r\n\r\n起動を中止します。"_s;
}

void TestStartup::onlyALiveCopyHoldsTheLock()
{
    QFETCH(QString, setUp);
    QFETCH(int, result);
    QFETCH(QString, message);
    TempProgramFolder home;
    QString folder = home.path();
    if (setUp == u"empty"_s) {
        home.write(u"QVRECIPE.lock"_s, QByteArray());
    } else if (setUp == u"other host"_s) {
        home.write(u"QVRECIPE.lock"_s, "4242\nQVRECIPE\nkitchen-pc\n");
    } else if (setUp == u"folder"_s) {
        QDir(folder).mkdir(u"QVRECIPE.lock"_s);
    } else {
        home.write(u"plain-file"_s, "x");
        folder = home.file(u"plain-file/recipes/"_s);
        qputenv("QVRECIPE_HOME", QFile::encodeName(folder));
    }
    AppState state;
    FakeHost host;
    ScriptedPrompts prompts;
    QCOMPARE(start(state, host, prompts), result);
    QCOMPARE(prompts.lastText(), message.isEmpty() ? QString() : message.arg(folder));
}

void TestStartup::readOnlyPlaces_data()
{
    QTest::addColumn<bool>("folderReadOnly");
    QTest::addColumn<QString>("expected");
    QTest::newRow("read-only program folder")
        << true
        << u"-2\nプログラムフォルダー[%1]に書き込めません。\r\n"
           u"（アクセス権がありません）\r\n\r\n起動を中止します。"_s;
    // An older version whose file cannot be rewritten is no upgrade: the
    // version box would otherwise come back on every start.
    QTest::newRow("read-only settings file of an older version")
        << false
        << u"0\n設定ファイル[%1QVRECIPE.ini]に書き込めませんでした。\r\n%2\r\n\r\n"
           u"設定の変更は保存されません。"_s;
}

void TestStartup::readOnlyPlaces()
{
    QFETCH(bool, folderReadOnly);
    QFETCH(QString, expected);
    TempProgramFolder home;
    home.write(u"QVRECIPE.ini"_s, cp932Lines({u"[QVRECIPE]"_s, u"VERSION=1.00.00"_s}));
    QFile ini(home.file(u"QVRECIPE.ini"_s));
    QVERIFY(ini.setPermissions(QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    const QFile::Permissions readOnly = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                        QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
    const QFile::Permissions writable =
        readOnly | QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    QVERIFY(QFile::setPermissions(home.path(), folderReadOnly ? readOnly : writable));
    const QString out = startWithoutPrivileges();
    QFile::setPermissions(home.path(), writable | QFile::WriteOwner);
    if (out.isEmpty())
        QSKIP("cannot give up root's rights here");
    QString reason;
    if (!folderReadOnly) {
        // What the system reported for the refused rewrite.
        reason = out.section(u"\r\n"_s, 1, 1);
        QVERIFY(!reason.isEmpty());
    }
    QCOMPARE(out, folderReadOnly ? expected.arg(home.path()) : expected.arg(home.path(), reason));
    QCOMPARE(home.read(u"QVRECIPE.ini"_s), cp932Lines({u"[QVRECIPE]"_s, u"VERSION=1.00.00"_s}));
}

void TestStartup::damagedSettingsFile()
{
    TempProgramFolder home;
    const QByteArray garbage("\x00\xFF\x81\x1A\x9C\x00garbage\r\n");
    home.write(u"QVRECIPE.ini"_s, garbage);
    AppState state;
    FakeHost host;
    ScriptedPrompts prompts;
    QCOMPARE(start(state, host, prompts), int(Startup::Normal));
    QCOMPARE(prompts.lastText(), u"設定ファイル["_s + home.file(u"QVRECIPE.ini"_s) +
                                     u"]に設定が見つからないため、初期設定を書き加えました。"
                                     u"\r\nファイルが壊れていた可能性があります。"_s);
    QCOMPARE(host.moved, QPoint(3600, 2872));
    QCOMPARE(state.settings->readSetting(QString(), u"VERSION"_s), u"2.01.00"_s);
    QVERIFY(home.read(u"QVRECIPE.ini"_s).startsWith(garbage));
    QCOMPARE(state.layout.WIDTH, 88);
}

void TestStartup::unreadableSettingsFileRunsOnDefaults()
{
    TempProgramFolder home;
    QDir(home.path()).mkdir(u"QVRECIPE.ini"_s);
    AppState state;
    FakeHost host;
    ScriptedPrompts prompts;
    QCOMPARE(start(state, host, prompts), int(Startup::Normal));
    QCOMPARE(prompts.shown.size(), 1);
    const QString text = prompts.lastText();
    QVERIFY2(text.startsWith(u"設定ファイル["_s + home.file(u"QVRECIPE.ini"_s) +
                             u"]を読み込めません。\r\n（"_s),
             qPrintable(text));
    QVERIFY(text.endsWith(u"）\r\n\r\n初期設定で起動します。設定の変更は保存されません。"_s));
    QCOMPARE(host.moved, QPoint(3600, 2872));
    QCOMPARE(state.layout.WIDTH, 88);
    QCOMPARE(state.layout.usableHeight, 167);
    QVERIFY(QFileInfo(home.file(u"QVRECIPE.ini"_s)).isDir());
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
    const QString missing = u"ファイルまたはフォルダーがありません。"_s;
    const QString settingsFailed =
        u"設定ファイル[%1]に書き込めませんでした。\r\n"_s.arg(home.file(u"QVRECIPE.ini"_s)) +
        missing;
    AppState state;
    FakeHost host;
    ScriptedPrompts prompts;
    QCOMPARE(start(state, host, prompts), int(Startup::FirstRun));
    QCOMPARE(prompts.shown.size(), 1); // once, though the upgrade step writes again
    QCOMPARE(prompts.lastText(), settingsFailed + u"\r\n\r\n設定の変更は保存されません。"_s);
    QCOMPARE(Startup::ensureVocabularyFile(state, Startup::FirstRun),
             u"ファイル[%1]に書き込めませんでした。\r\n"_s.arg(home.file(u"qvrecipe.txt"_s)) +
                 missing);
    QCOMPARE(Startup::saveWindowPosition(state, true, 150, 300), settingsFailed);
}

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
