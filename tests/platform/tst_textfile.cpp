#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

// Reading only whole regular files and replacing files whole; the failures
// of single system calls are tried by tst_faultinjection.
class TestTextFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void readRefusesWhatIsNoPlainFile_data();
    void readRefusesWhatIsNoPlainFile();
    void writeKeepsLinkAndPermissions();
    void writeRemovesOnlyStaleTemporaries();
    void writeIntoMissingFolderFails();
};

void TestTextFile::readRefusesWhatIsNoPlainFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("text");
    const QString special =
        u"通常のファイルではありません（パイプや装置などは読み書きできません）。"_s;
    const int failed = int(TextFile::Error::ReadFailed);
    QTest::newRow("folder") << "folder" << failed << u"ファイルではなくフォルダーです。"_s;
    // Both used to block or grow without end.
    QTest::newRow("named pipe") << "pipe" << failed << special;
    QTest::newRow("link to /dev/zero") << "zero" << failed << special;
    QTest::newRow("over the size limit")
        << "huge" << failed
        << u"ファイルが大きすぎます（257 MB）。レシピファイルとして扱えるのは 256 MB までです。"_s;
    QTest::newRow("missing") << "missing" << int(TextFile::Error::NotFound)
                             << u"ファイルまたはフォルダーがありません。"_s;
}

void TestTextFile::readRefusesWhatIsNoPlainFile()
{
    QFETCH(QString, kind);
    QFETCH(int, error);
    QFETCH(QString, text);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"QVRECIPE.csv"_s);
    const QByteArray name = QFile::encodeName(path);
    if (kind == u"folder"_s)
        QVERIFY(QDir().mkdir(path));
    else if (kind == u"pipe"_s)
        QCOMPARE(::mkfifo(name.constData(), 0600), 0);
    else if (kind == u"zero"_s)
        QVERIFY(QFile::link(u"/dev/zero"_s, path));
    else if (kind == u"huge"_s) {
        QFile f(path); // sparse: takes no room
        QVERIFY(f.open(QIODevice::WriteOnly));
        QVERIFY(f.resize(TextFile::maxFileSize + 1));
    }

    const TextFile::ReadResult read = TextFile::readLines(path);
    QCOMPARE(int(read.error), error);
    QCOMPARE(read.errorText, text);
    QVERIFY(read.lines.isEmpty());
    QCOMPARE(int(TextFile::checkReadable(path).error), error);
    // The weekday backup is such a copy: refused, nothing written.
    const QString backup = dir.filePath(u"QVRECIPE3.csv"_s);
    const TextFile::WriteResult copied = TextFile::copyAtomically(path, backup);
    QCOMPARE(int(copied.status), int(TextFile::WriteResult::NotSaved));
    QCOMPARE(copied.errorText, text);
    QVERIFY(!QFile::exists(backup));
}

void TestTextFile::writeKeepsLinkAndPermissions()
{
    QTemporaryDir dir;
    const QString target = dir.filePath(u"real.csv"_s);
    const QString link = dir.filePath(u"QVRECIPE.csv"_s);
    QCOMPARE(int(TextFile::writeAtomically(target, "old\r\n").status),
             int(TextFile::WriteResult::Saved));
    QVERIFY(QFile::link(target, link));
    QCOMPARE(::chmod(QFile::encodeName(target).constData(), 0640), 0);

    const QByteArray big(100000, 'x');
    const TextFile::WriteResult written = TextFile::writeAtomically(link, big);
    QCOMPARE(int(written.status), int(TextFile::WriteResult::Saved));
    QCOMPARE(written.errorText, QString());
    QVERIFY(QFileInfo(link).isSymLink());
    const TextFile::ContentResult back = TextFile::readContent(link);
    QCOMPARE(back.content, big);
    struct stat st;
    QCOMPARE(::stat(QFile::encodeName(target).constData(), &st), 0);
    QCOMPARE(st.st_mode & 07777, mode_t(0640));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::System | QDir::Hidden),
             (QStringList{u"QVRECIPE.csv"_s, u"real.csv"_s}));
}

void TestTextFile::writeRemovesOnlyStaleTemporaries()
{
    QTemporaryDir dir;
    const QString own = u"a.csv.qvsave-%1-99"_s.arg(qint64(::getpid()));
    // Left by a process that is gone, by this one, by a live one (process 1),
    // and files that are not this file's temporaries.
    const QStringList present = {
        u"a.csv"_s,        u"a.csv.qvsave-2147483646-1"_s, own, u"a.csv.qvsave-1-1"_s,
        u"a.csv.backup"_s, u"b.csv.qvsave-2147483646-1"_s};
    for (const QString &name : present) {
        QFile f(dir.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("x");
    }
    QVERIFY(TextFile::writeAtomically(dir.filePath(u"a.csv"_s), "new").saved());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::System | QDir::Hidden),
             (QStringList{u"a.csv"_s, u"a.csv.backup"_s, u"a.csv.qvsave-1-1"_s,
                          u"b.csv.qvsave-2147483646-1"_s}));
}

void TestTextFile::writeIntoMissingFolderFails()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"sub/a.csv"_s);
    const TextFile::WriteResult written = TextFile::writeAtomically(path, "new");
    QCOMPARE(int(written.status), int(TextFile::WriteResult::NotSaved));
    QCOMPARE(written.errorText, u"ファイルまたはフォルダーがありません。"_s);
    QVERIFY(!QFile::exists(path));
}

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
