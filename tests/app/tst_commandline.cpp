#include "app/commandline.h"

#include <QProcess>
#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(CommandLine::Action)

class TestCommandLine : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void parse_data();
    void parse();
    void program_data();
    void program();
};

void TestCommandLine::parse_data()
{
    using A = CommandLine::Action;
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<CommandLine::Action>("action");
    QTest::addColumn<QString>("problem");
    QTest::newRow("nothing") << QStringList() << A::OpenWindow << QString();
    QTest::newRow("/clip") << QStringList{u"/CLIP"_s} << A::OpenWindow << QString();
    QTest::newRow("words for /clip")
        << QStringList{u"x/clip"_s, u"-"_s} << A::OpenWindow << QString();
    QTest::newRow("Qt's options and their values")
        << QStringList{u"-platform"_s, u"offscreen"_s, u"--style=fusion"_s, u"-reverse"_s,
                       u"/clip"_s}
        << A::OpenWindow << QString();
    QTest::newRow("help anywhere") << QStringList{u"/clip"_s, u"--help"_s} << A::Help << QString();
    QTest::newRow("short help") << QStringList{u"-h"_s} << A::Help << QString();
    QTest::newRow("version") << QStringList{u"--version"_s} << A::Version << QString();
    QTest::newRow("help before a command's checks")
        << QStringList{u"--print-pdf"_s, u"--help"_s} << A::Help << QString();
    QTest::newRow("analyse") << QStringList{u"--analyse"_s, u"a.txt"_s} << A::Analyse << QString();
    QTest::newRow("print to PDF") << QStringList{u"--print-pdf"_s, u"a.pdf"_s, u"--layout"_s,
                                                 u"2"_s}
                                  << A::Print << QString();
    QTest::newRow("print") << QStringList{u"--print"_s, u"lp"_s} << A::Print << QString();
    QTest::newRow("unknown long option")
        << QStringList{u"--bogus"_s} << A::Wrong << u"知らないオプションです: --bogus"_s;
    QTest::newRow("unknown short option")
        << QStringList{u"/clip"_s, u"-x"_s} << A::Wrong << u"知らないオプションです: -x"_s;
    QTest::newRow("print option alone")
        << QStringList{u"--layout=2"_s} << A::Wrong
        << u"--layout は --print-pdf か --print のあとに指定してください。"_s;
    QTest::newRow("command not first") << QStringList{u"/clip"_s, u"--analyse"_s, u"a.txt"_s}
                                       << A::Wrong << u"--analyse は最初に指定してください。"_s;
}

void TestCommandLine::parse()
{
    QFETCH(QStringList, args);
    QFETCH(CommandLine::Action, action);
    QFETCH(QString, problem);
    const CommandLine::Request request = CommandLine::parse(args);
    QCOMPARE(request.action, action);
    QCOMPARE(request.problem, problem);
}

void TestCommandLine::program_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    const QString name = u"QVRECIPE"_s;
    QTest::newRow("--help") << QStringList{u"--help"_s} << 0 << CommandLine::helpText(name)
                            << QString();
    QTest::newRow("--version") << QStringList{u"--version"_s} << 0 << u"QVRECIPE 2.01.00\n"_s
                               << QString();
    QTest::newRow("a bad option") << QStringList{u"--colour"_s, u"red"_s} << 2 << QString()
                                  << u"QVRECIPE: 知らないオプションです: --colour\n"_s +
                                         CommandLine::usageText(name);
}

// The real program, with no window system to reach: these answers need none.
void TestCommandLine::program()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(u"DISPLAY"_s);
    env.remove(u"WAYLAND_DISPLAY"_s);
    env.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(QV_PROGRAM), args);
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(QString::fromUtf8(process.readAllStandardError()), err);
    QCOMPARE(QString::fromUtf8(process.readAllStandardOutput()), out);
    QCOMPARE(process.exitCode(), status);
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
