#include "app/commandline.h"

#include <QProcess>
#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(CommandLine::Action)
Q_DECLARE_METATYPE(CommandLine::Request)

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
    using R = CommandLine::Request;
    const auto wrong = [](const QString &problem) { return R{A::Wrong, problem, {}, {}}; };
    const auto print = [](const PrintOptions &o) { return R{A::Print, {}, {}, o}; };
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<R>("expected");
    QTest::newRow("nothing") << QStringList() << R();
    QTest::newRow("/clip") << QStringList{u"/CLIP"_s} << R();
    QTest::newRow("words for /clip") << QStringList{u"x/clip"_s, u"-"_s} << R();
    QTest::newRow("Qt's options and their values")
        << QStringList{u"-platform"_s, u"offscreen"_s, u"--style=fusion"_s, u"-reverse"_s,
                       u"/clip"_s}
        << R();
    QTest::newRow("help anywhere")
        << QStringList{u"/clip"_s, u"--help"_s} << R{A::Help, {}, {}, {}};
    QTest::newRow("short help") << QStringList{u"-h"_s} << R{A::Help, {}, {}, {}};
    QTest::newRow("version") << QStringList{u"--version"_s} << R{A::Version, {}, {}, {}};
    QTest::newRow("help before a command's checks")
        << QStringList{u"--print-pdf"_s, u"--layout=9"_s, u"--help"_s} << R{A::Help, {}, {}, {}};
    QTest::newRow("analyse") << QStringList{u"--analyse"_s, u"a.txt"_s}
                             << R{A::Analyse, {}, u"a.txt"_s, {}};
    QTest::newRow("analyse without a file")
        << QStringList{u"--analyse"_s}
        << wrong(u"--analyse のあとに ファイル を指定してください。"_s);
    QTest::newRow("analyse two files")
        << QStringList{u"--analyse"_s, u"a.txt"_s, u"b.txt"_s}
        << wrong(u"--analyse のあとのファイルは一つだけです: b.txt"_s);
    QTest::newRow("print to PDF, every option")
        << QStringList{u"--print-pdf"_s,     u"a.pdf"_s,   u"--layout"_s, u"2"_s,
                       u"--arrangement=3"_s, u"--paper"_s, u"24"_s,       u"r.csv"_s,
                       u"--from"_s,          u"4"_s}
        << print({true, u"a.pdf"_s, 2, 3, 24, 4, u"r.csv"_s});
    QTest::newRow("print, Qt's option before the recipe file")
        << QStringList{u"--print"_s, u"lp"_s, u"-platform"_s, u"offscreen"_s, u"r.csv"_s}
        << print({false, u"lp"_s, 1, {}, {}, {}, u"r.csv"_s});
    QTest::newRow("alignment sheet")
        << QStringList{u"--print-pdf"_s, u"a.pdf"_s, u"--alignment"_s, u"--paper"_s, u"3"_s}
        << print({true, u"a.pdf"_s, 1, {}, 3, {}, {}, true});
    QTest::newRow("alignment takes no value")
        << QStringList{u"--print-pdf"_s, u"a.pdf"_s, u"--alignment=1"_s}
        << wrong(u"--alignment には値を付けません: --alignment=1"_s);
    QTest::newRow("print without a target")
        << QStringList{u"--print-pdf"_s}
        << wrong(u"--print-pdf のあとに 出力.pdf を指定してください。"_s);
    QTest::newRow("option without value") << QStringList{u"--print"_s, u"lp"_s, u"--from"_s}
                                          << wrong(u"--from のあとに N を指定してください。"_s);
    QTest::newRow("layout out of range")
        << QStringList{u"--print"_s, u"lp"_s, u"--layout"_s, u"8"_s}
        << wrong(u"--layout は 1～7 の整数で指定してください: 8"_s);
    QTest::newRow("paper not a number")
        << QStringList{u"--print"_s, u"lp"_s, u"--paper=A4"_s}
        << wrong(u"--paper は 0～24 の整数で指定してください: A4"_s);
    QTest::newRow("two recipe files")
        << QStringList{u"--print"_s, u"lp"_s, u"a.csv"_s, u"b.csv"_s}
        << wrong(u"レシピファイルは一つだけ指定してください: b.csv"_s);
    QTest::newRow("unknown print option")
        << QStringList{u"--print"_s, u"lp"_s, u"--copies"_s, u"2"_s}
        << wrong(u"知らないオプションです: --copies"_s);
    QTest::newRow("unknown long option")
        << QStringList{u"--bogus"_s} << wrong(u"知らないオプションです: --bogus"_s);
    QTest::newRow("unknown short option")
        << QStringList{u"/clip"_s, u"-x"_s} << wrong(u"知らないオプションです: -x"_s);
    QTest::newRow("print option alone")
        << QStringList{u"--layout=2"_s}
        << wrong(u"--layout は --print-pdf か --print のあとに指定してください。"_s);
    QTest::newRow("command not first") << QStringList{u"/clip"_s, u"--analyse"_s, u"a.txt"_s}
                                       << wrong(u"--analyse は最初に指定してください。"_s);
}

void TestCommandLine::parse()
{
    QFETCH(QStringList, args);
    QFETCH(CommandLine::Request, expected);
    const CommandLine::Request request = CommandLine::parse(args);
    QCOMPARE(request.action, expected.action);
    QCOMPARE(request.problem, expected.problem);
    QCOMPARE(request.analyseFile, expected.analyseFile);
    QVERIFY(request.print == expected.print);
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
