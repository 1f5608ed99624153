#include "platform/documentstarter.h"
#include "platform/drivetype.h"
#include "platform/filedialogs.h"
#include "platform/programfolder.h"
#include "platform/runandwait.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// Records what would be started instead of starting it.
class RecordingStarter : public DocumentStarter
{
public:
    QStringList started;

protected:
    void startProgram(const QString &program, const QStringList &args) override
    {
        started.append(u"run "_s + program + u" ["_s + args.join(u'|') + u']');
    }
    void openUrl(const QUrl &url) override
    {
        started.append(u"open "_s + (url.isLocalFile() ? url.toLocalFile() : url.toString()));
    }
};

} // namespace

class TestPlatformServices : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void nameFilters_data();
    void nameFilters();
    void defaultNameEndingInSeparatorIsDropped();
    void startDocument_data();
    void startDocument();
    void runAndWaitReturnsAfterTheProgramEnds();
    void runAndWaitKeepsEventsRunning();
    void driveType_data();
    void driveType();
    void folderForExecutable_data();
    void folderForExecutable();
};

void TestPlatformServices::nameFilters_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("description shows the pattern")
        << u"\uFF23\uFF33\uFF36 (*.csv)|*.csv|all (*.*)|*.*||"_s
        << QStringList{u"\uFF23\uFF33\uFF36 (*.csv)"_s, u"all (*)"_s};
    QTest::newRow("several patterns")
        << u"text (*.csv;*.txt)|*.csv;*.txt||"_s << QStringList{u"text (*.csv *.txt)"_s};
    QTest::newRow("description without pattern")
        << u"Pictures|*.bmp;*.gif||"_s << QStringList{u"Pictures (*.bmp *.gif)"_s};
    QTest::newRow("no closing bars") << u"CSV|*.csv"_s << QStringList{u"CSV (*.csv)"_s};
    QTest::newRow("empty") << QString() << QStringList();
    QTest::newRow("pair without pattern skipped")
        << u"none||x|*.x||"_s << QStringList{u"x (*.x)"_s};
}

void TestPlatformServices::nameFilters()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, expected);
    QCOMPARE(FileDialogs::nameFilters(filter), expected);
}

void TestPlatformServices::defaultNameEndingInSeparatorIsDropped()
{
    FileDialogRequest r;
    r.defaultName = u"C:\\data\\"_s;
    QVERIFY(r.effectiveDefaultName().isEmpty());
    r.defaultName = u"a.csv"_s;
    QCOMPARE(r.effectiveDefaultName(), u"a.csv"_s);
    r.flags = 0;
    QCOMPARE(r.effectiveFlags(), 0x100Cu);
}

void TestPlatformServices::startDocument_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("expected"); // "%1" is the program folder; empty: nothing
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("missing file") << u"missing.txt"_s << QString();
    QTest::newRow("file with shell characters")
        << u"a&b;c \"q\" (1).txt"_s << u"open %1a&b;c \"q\" (1).txt"_s;
    QTest::newRow("file in a subfolder, stored with backslashes")
        << u".\\sub\\x&y.txt"_s << u"open %1sub/x&y.txt"_s;
    QTest::newRow("web address with ampersand")
        << u"https://example.jp/r?a=1&b=2"_s << u"open https://example.jp/r?a=1&b=2"_s;
    QTest::newRow("program") << u"tool.exe"_s << u"run tool.exe []"_s;
    QTest::newRow("program beside the files")
        << u"QV2BMP.EXE in&1.gif out.bmp"_s << u"run %1QV2BMP.EXE [in&1.gif|out.bmp]"_s;
    QTest::newRow("quoted program with blanks") << u"\"C:\\Program Files\\x.exe\" \"a b\" c;d"_s
                                                << u"run C:/Program Files/x.exe [a b|c;d]"_s;
}

void TestPlatformServices::startDocument()
{
    QFETCH(QString, target);
    QFETCH(QString, expected);
    TempProgramFolder folder;
    folder.write(u"a&b;c \"q\" (1).txt"_s, "x");
    folder.write(u"sub/x&y.txt"_s, "x");
    folder.write(u"QV2BMP.EXE"_s, "x");
    RecordingStarter starter;
    starter.startDocument(target);
    const QStringList want =
        expected.isEmpty() ? QStringList() : QStringList{expected.replace(u"%1"_s, folder.path())};
    QCOMPARE(starter.started, want);
}

void TestPlatformServices::runAndWaitReturnsAfterTheProgramEnds()
{
    QCOMPARE(runAndWait(u"sh"_s, {u"-c"_s, u"exit 3"_s}), 3);
    QCOMPARE(runAndWait(u"/nonexistent/program"_s, {}), -1);
    // Arguments are passed as they are, never through a shell.
    QCOMPARE(runAndWait(u"test"_s, {u"a;b&c"_s, u"="_s, u"a;b&c"_s}), 0);
}

void TestPlatformServices::runAndWaitKeepsEventsRunning()
{
    bool ranMeanwhile = false;
    QTimer::singleShot(20, this, [&ranMeanwhile] { ranMeanwhile = true; });
    QCOMPARE(runAndWait(u"sleep"_s, {u"0.3"_s}), 0);
    QVERIFY(ranMeanwhile);
}

void TestPlatformServices::driveType_data()
{
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("fs");
    QTest::addColumn<QString>("device");
    QTest::addColumn<bool>("removable");
    QTest::addColumn<QString>("text");
    QTest::newRow("fixed disk") << true << "ext4"
                                << "/dev/sda1" << false << "disk cannot be removed from the drive";
    QTest::newRow("USB stick") << true << "vfat"
                               << "/dev/sdb1" << true << "disk can be removed from the drive";
    QTest::newRow("NFS") << true << "nfs4"
                         << "server:/export" << false << "drive is a remote, or network, drive";
    QTest::newRow("SMB") << true << "cifs"
                         << "//server/share" << false << "drive is a remote, or network, drive";
    QTest::newRow("memory file system") << true << "tmpfs"
                                        << "tmpfs" << false << "can't determine drive type";
    QTest::newRow("no such volume") << false << ""
                                    << "" << false << "can't determine drive type";
}

void TestPlatformServices::driveType()
{
    QFETCH(bool, valid);
    QFETCH(QString, fs);
    QFETCH(QString, device);
    QFETCH(bool, removable);
    QFETCH(QString, text);
    QCOMPARE(DriveType::text(DriveType::classify(valid, fs, device, removable)), text);
}

void TestPlatformServices::folderForExecutable_data()
{
    // Files made under a scratch root holding "prefix/bin/QVRECIPE" and the
    // user's data root "data"; the result is relative to that root.
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("expected");
    const QString menuEntry = u"prefix/share/applications/qvrecipe.desktop"_s;
    QTest::newRow("portable copy") << QStringList() << u"prefix/bin"_s;
    QTest::newRow("installed program") << QStringList{menuEntry} << u"data/qvrecipe"_s;
    QTest::newRow("installed, settings beside it")
        << QStringList{menuEntry, u"prefix/bin/QVRECIPE.ini"_s} << u"prefix/bin"_s;
    QTest::newRow("earlier user folder with settings")
        << QStringList{menuEntry, u"data/QVRECIPE/QVRECIPE.ini"_s} << u"data/QVRECIPE"_s;
    QTest::newRow("earlier user folder once the new one exists")
        << QStringList{menuEntry, u"data/QVRECIPE/QVRECIPE.ini"_s, u"data/qvrecipe/x"_s}
        << u"data/qvrecipe"_s;
    QTest::newRow("earlier user folder without settings")
        << QStringList{menuEntry, u"data/QVRECIPE/x"_s} << u"data/qvrecipe"_s;
}

void TestPlatformServices::folderForExecutable()
{
    QFETCH(QStringList, files);
    QFETCH(QString, expected);
    QTemporaryDir root;
    QVERIFY(QDir(root.path()).mkpath(u"prefix/bin"_s));
    for (const QString &name : files) {
        QVERIFY(QDir(root.path()).mkpath(QFileInfo(name).path()));
        QFile file(root.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QCOMPARE(
        ProgramFolder::chooseFor(root.filePath(u"prefix/bin/QVRECIPE"_s), root.filePath(u"data"_s)),
        root.filePath(expected));
}

QTEST_GUILESS_MAIN(TestPlatformServices)
#include "tst_platformservices.moc"
