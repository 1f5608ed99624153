#include "platform/cp932.h"
#include "recipe/recipefileformat.h"
#include "recipe/recipefilerewrite.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/types.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

// The whole-file rewrite through the work copy, tried the hard way: a child
// that rewrites in a loop is killed at random moments, and rewrites into a
// full or read-only location must fail without touching the file.
class TestRewriteSafety : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void killedMidWriteLeavesOldOrNew();
    void fullLocationLeavesFileUntouched();
    void readOnlyLocationLeavesFileUntouched();
    void concurrentWritersLoseNothing();
    void fileChangedMeanwhileIsNotReplaced();
};

namespace {

const QString helper = QStringLiteral(REWRITE_HELPER);

QByteArray recipeFile(int rows, const QString &tag)
{
    QStringList lines = RecipeFileFormat::newFileMetadata;
    lines << RecipeFileFormat::RecipeFileHeader;
    for (int i = 0; i < rows; ++i)
        lines << u"肉,豚,料理%1,0|1|0|0|0|0|0|,3,0,材料\\n%2,作り方%2"_s.arg(
            QString::number(i).rightJustified(5, u'0'), tag);
    return cp932Lines(lines);
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool canUnshare()
{
    QProcess p;
    p.start(u"unshare"_s, {u"-rm"_s, u"true"_s});
    return p.waitForFinished(10000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// Runs the helper inside a private mount namespace after `setup` (a shell
// fragment that mounts $1); returns its exit code and output.
int runInNamespace(const QString &script, const QString &dir, const QString &source,
                   QByteArray *output)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(u"unshare"_s, {u"-rm"_s, u"sh"_s, u"-c"_s, script, u"sh"_s, dir, helper, source});
    if (!p.waitForFinished(60000))
        return -1;
    *output = p.readAll();
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

} // namespace

void TestRewriteSafety::killedMidWriteLeavesOldOrNew()
{
    QTemporaryDir dir;
    const QByteArray a = recipeFile(3000, u"a"_s);
    const QByteArray b = recipeFile(2500, u"bb"_s);
    writeFile(dir.filePath(u"a.bin"_s), a);
    writeFile(dir.filePath(u"b.bin"_s), b);
    writeFile(dir.filePath(u"QVRECIPE.csv"_s), a);

    QRandomGenerator random(20261208);
    int sawA = 0;
    int sawB = 0;
    int rewritesDone = 0; // rewrites completed before the kills, all rounds
    const int rounds = 220;
    for (int round = 0; round < rounds; ++round) {
        QProcess child;
        child.start(helper, {u"loop"_s, dir.path(), dir.path()});
        QVERIFY(child.waitForStarted());
        QVERIFY(child.waitForReadyRead(10000)); // "ready": rewriting from now on
        QByteArray output = child.readAllStandardOutput();
        // Every other kill comes after a whole rewrite, so both contents are
        // met however slow a loaded machine makes a rewrite.
        while (round % 2 == 1 && output.size() <= 6 && child.waitForReadyRead(10000))
            output += child.readAllStandardOutput();
        // A rewrite of this file takes some tens of milliseconds here.
        QTest::qSleep(int(random.bounded(150)));
        ::kill(pid_t(child.processId()), SIGKILL);
        QVERIFY(child.waitForFinished(10000));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);
        output += child.readAllStandardOutput();
        const QByteArray done = output.mid(6); // after "ready\n"
        rewritesDone += int(done.size());

        const QByteArray now = readFile(dir.filePath(u"QVRECIPE.csv"_s));
        QVERIFY2(now == a || now == b,
                 qPrintable(u"round %1: %2 bytes"_s.arg(round).arg(now.size())));
        (now == a ? sawA : sawB)++;
        const QByteArray work = readFile(dir.filePath(u"qvprint.tmp"_s));
        QVERIFY(work.isEmpty() || work == a || work == b);
    }
    // Temporary files the kills left behind go with the next whole rewrite.
    QCOMPARE(QProcess::execute(helper, {u"once"_s, dir.path(), dir.path()}), 0);
    QStringList left = QDir(dir.path()).entryList(QDir::Files);
    left.sort();
    QCOMPARE(left, (QStringList{u"QVRECIPE.csv"_s, u"a.bin"_s, u"b.bin"_s, u"qvprint.tmp"_s}));
    qInfo("%d kills: content a %d times, b %d times; %d rewrites completed in all", rounds, sawA,
          sawB, rewritesDone);
    QVERIFY(sawA > 0 && sawB > 0);
}

void TestRewriteSafety::fullLocationLeavesFileUntouched()
{
    if (!canUnshare())
        QSKIP("no private mount namespace here (unshare -rm not permitted)");
    QTemporaryDir source;
    QTemporaryDir target;
    writeFile(source.filePath(u"a.bin"_s), recipeFile(5, u"a"_s));
    writeFile(source.filePath(u"b.bin"_s), recipeFile(500, u"b"_s));
    QByteArray output;
    const int rc = runInNamespace(u"mount -t tmpfs -o size=8k tmpfs \"$1\" && "
                                  u"exec \"$2\" full \"$1\" \"$3\""_s,
                                  target.path(), source.path(), &output);
    QVERIFY2(rc == 0, output.constData());
    QVERIFY(output.contains("refused"));
}

void TestRewriteSafety::readOnlyLocationLeavesFileUntouched()
{
    QTemporaryDir source;
    QTemporaryDir target;
    writeFile(source.filePath(u"a.bin"_s), recipeFile(5, u"a"_s));
    writeFile(source.filePath(u"b.bin"_s), recipeFile(50, u"b"_s));
    QByteArray output;
    if (canUnshare()) {
        const int rc = runInNamespace(
            u"mount -t tmpfs -o size=1m tmpfs \"$1\" && \"$2\" prepare \"$1\" \"$3\" && "
            u"mount -o remount,ro \"$1\" && exec \"$2\" readonly \"$1\" \"$3\""_s,
            target.path(), source.path(), &output);
        QVERIFY2(rc == 0, output.constData());
        QVERIFY(output.contains("refused"));
        return;
    }
    if (::geteuid() == 0)
        QSKIP("running as root without a private mount namespace: nothing is read-only");
    QCOMPARE(QProcess::execute(helper, {u"prepare"_s, target.path(), source.path()}), 0);
    QFile::setPermissions(target.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const int rc = QProcess::execute(helper, {u"readonly"_s, target.path(), source.path()});
    QFile::setPermissions(target.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QCOMPARE(rc, 0);
}

// Two copies of the program, from different folders, adding to one file:
// every add that reported success is in the file afterwards.
void TestRewriteSafety::concurrentWritersLoseNothing()
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(u"one"_s);
    QDir(dir.path()).mkpath(u"two"_s);
    const QString file = dir.filePath(u"QVRECIPE.csv"_s);
    writeFile(file, recipeFile(0, QString()));
    QProcess one;
    QProcess two;
    one.start(helper, {u"add"_s, dir.filePath(u"one"_s), file});
    two.start(helper, {u"add"_s, dir.filePath(u"two"_s), file});
    QVERIFY(one.waitForFinished(120000) && two.waitForFinished(120000));
    QCOMPARE(one.exitCode() + two.exitCode(), 0);
    QStringList saved;
    for (const QByteArray &line :
         (one.readAllStandardOutput() + two.readAllStandardOutput()).split('\n')) {
        if (line.startsWith("saved "))
            saved.append(QString::fromUtf8(line.mid(6)));
    }
    QStringList stored;
    const QStringList lines = Cp932::decode(readFile(file)).split(u"\r\n"_s);
    for (const QString &line : lines) {
        if (line.startsWith(u"\"肉\""_s))
            stored.append(line.section(u'"', 5, 5));
    }
    saved.sort();
    stored.sort();
    QCOMPARE(stored, saved);
    qInfo("%lld of 300 adds saved", qlonglong(saved.size()));
    QVERIFY(saved.size() > 150);
}

// An editor saving the file while the rewrite works on its copy: the newer
// content stays and the rewrite says why it did nothing.
void TestRewriteSafety::fileChangedMeanwhileIsNotReplaced()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(u"QVRECIPE.csv"_s);
    writeFile(file, recipeFile(3, u"a"_s));
    const QByteArray theirs = recipeFile(3, u"b"_s); // same size, other content
    const RecipeFileRewrite::Result r = RecipeFileRewrite::rewrite(
        file, dir.filePath(u"qvprint.tmp"_s),
        [&](const QList<QByteArray> &oldLines, QList<QByteArray> &newLines, QString *) {
            writeFile(file, theirs);
            newLines = oldLines;
            return true;
        });
    QVERIFY(!r.ok);
    QCOMPARE(
        r.error,
        u"レシピファイル["_s + QDir::toNativeSeparators(file) +
            u"]は、作業中にほかのプログラムによって変更されました。\r\n"
            u"レシピファイルは変更していません。一覧を確かめてから、もう一度操作してください。"_s);
    QCOMPARE(readFile(file), theirs);
}

QTEST_GUILESS_MAIN(TestRewriteSafety)
#include "tst_rewritesafety.moc"
