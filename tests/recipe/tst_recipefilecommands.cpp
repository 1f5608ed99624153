#include "app/settingsfile.h"
#include "platform/cp932.h"
#include "platform/filedialogs.h"
#include "platform/programfolder.h"
#include "platform/textclipboard.h"
#include "recipe/recipeexport.h"
#include "recipe/recipefilecommands.h"
#include "recipe/recipefileformat.h"
#include "recipe/recipefilereader.h"
#include "recipe/recordcodec.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

class ScriptedDialogs : public FileDialogs
{
public:
    QString chooseFile(FileDialogRequest &request) override
    {
        requests.append(request);
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
    QStringList answers;
    QList<FileDialogRequest> requests;
};

// The list window as the commands see it: counts the rows of the current
// file, records the hits and answers the quick search box from a script.
class FakeHost : public RecipeFileHost
{
public:
    explicit FakeHost(const QString &currentName) : m_currentName(currentName) {}
    void setBusy(bool busy) override { busyCalls.append(busy); }
    int rebuildList() override
    {
        ++rebuilds;
        return int(RecipeFileReader(ProgramFolder::resolve(m_currentName)).rows().size());
    }
    std::optional<RecipeRecord> shownRecord(QString *why) const override
    {
        *why = refusal;
        return shown;
    }
    void showSearchHit(int recordNo) override { hits.append(recordNo); }
    int askSearchText(QString &text) override
    {
        textsOffered.append(text);
        if (searchScript.isEmpty())
            return -1;
        const auto [action, typed] = searchScript.takeFirst();
        if (!typed.isNull())
            text = typed;
        return action;
    }

    QList<bool> busyCalls;
    int rebuilds = 0;
    std::optional<RecipeRecord> shown;
    QString refusal;
    QList<int> hits;
    QList<std::pair<int, QString>> searchScript; // answer, text typed (null: keep)
    QStringList textsOffered;

private:
    const QString &m_currentName;
};

struct Env
{
    TempProgramFolder folder;
    QString current;
    // FILE lives in section "QVRECIPE" whatever the program is called.
    SettingsFile settings{folder.file(u"qvrecipe-dev.ini"_s), u"qvrecipe-dev"_s};
    ScriptedPrompts prompts;
    ScriptedDialogs dialogs;
    StringClipboard clipboard;
    FixedClock clock; // Tuesday 2026-12-08
    FakeHost host{current};
    std::unique_ptr<RecipeFileCommands> commands;

    Env()
    {
        QDir(folder.path()).mkdir(u"bak"_s);
        RecipeFileContext c;
        c.programDir = folder.path();
        c.backupDir = folder.path() + u"bak/"_s;
        c.currentFileName = &current;
        c.settings = &settings;
        c.prompts = &prompts;
        c.dialogs = &dialogs;
        c.clipboard = &clipboard;
        c.clock = &clock;
        c.host = &host;
        commands = std::make_unique<RecipeFileCommands>(c);
    }
    QString fileSetting() const { return settings.readSetting(u"QVRECIPE"_s, u"FILE"_s); }
    void setFileSetting(const QString &v) { settings.writeSetting(u"QVRECIPE"_s, u"FILE"_s, v); }
};

QByteArray recipeFile(const QStringList &rows)
{
    return cp932Lines(RecipeFileFormat::newFileMetadata +
                      QStringList{RecipeFileFormat::RecipeFileHeader} + rows);
}

// An import file: the header and rows, no metadata.
QByteArray importFile(const QStringList &rows)
{
    return cp932Lines(QStringList{RecipeFileFormat::RecipeFileHeader} + rows);
}

} // namespace

class TestRecipeFileCommands : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void openAtLoad_data();
    void openAtLoad();
    void backupFileName_data();
    void backupFileName();
    void storedName_data();
    void storedName();
    void newFileName_data();
    void newFileName();
    void newFileCreatesFolderAndFile();
    void newFileThatCannotBeMadeChangesNothing();
    void switchFile_data();
    void switchFile();
    void switchToUnreadableFileChangesNothing();
    void settingsWriteFailureIsReported_data();
    void settingsWriteFailureIsReported();
    void importReportsCounts();
    void onlyRecipeFilesAreTakenIn_data();
    void onlyRecipeFilesAreTakenIn();
    void importOfTheCurrentFileIsRefused_data();
    void importOfTheCurrentFileIsRefused();
    void importThatCannotReadChangesNothing_data();
    void importThatCannotReadChangesNothing();
    void importKeepsUntouchedBytes();
    void exportShown();
    void searchFindsNextWithFolding();
};

void TestRecipeFileCommands::openAtLoad_data()
{
    QTest::addColumn<QString>("fileKey");   // FILE before (empty: none)
    QTest::addColumn<QString>("existing");  // files present: "current", "sample", "default"
    QTest::addColumn<QString>("current");   // chosen current name
    QTest::addColumn<QString>("fileAfter"); // FILE afterwards
    QTest::addColumn<QString>(
        "defaultFrom"); // what QVRECIPE.csv holds: "", "samples", "sample", "own"

    QTest::newRow("first start: created from the built-in rows") << ""
                                                                 << ""
                                                                 << "QVRECIPE.csv"
                                                                 << "QVRECIPE.csv"
                                                                 << "samples";
    QTest::newRow("first start with sample.csv: copied") << ""
                                                         << "sample"
                                                         << "QVRECIPE.csv"
                                                         << "QVRECIPE.csv"
                                                         << "sample";
    QTest::newRow("current file present") << ".\\sub\\mine.csv"
                                          << "current,default"
                                          << ".\\sub\\mine.csv"
                                          << ".\\sub\\mine.csv"
                                          << "own";
    QTest::newRow("missing current, no sample, default present: default in memory")
        << "gone.csv"
        << "default"
        << "QVRECIPE.csv"
        << "gone.csv"
        << "own";
    QTest::newRow("missing current, no sample, no default: default made") << "gone.csv"
                                                                          << ""
                                                                          << "QVRECIPE.csv"
                                                                          << "gone.csv"
                                                                          << "samples";
    QTest::newRow("missing current, sample, no default: sample copied") << "gone.csv"
                                                                        << "sample"
                                                                        << "QVRECIPE.csv"
                                                                        << "gone.csv"
                                                                        << "sample";
    QTest::newRow("missing current, sample and default: missing stays current") << "gone.csv"
                                                                                << "sample,default"
                                                                                << "gone.csv"
                                                                                << "gone.csv"
                                                                                << "own";
}

void TestRecipeFileCommands::openAtLoad()
{
    QFETCH(QString, fileKey);
    QFETCH(QString, existing);
    QFETCH(QString, current);
    QFETCH(QString, fileAfter);
    QFETCH(QString, defaultFrom);
    Env env;
    const QByteArray own = recipeFile({u"肉,豚,自分の料理"_s});
    const QByteArray sample = recipeFile({u"魚,鮭,見本の料理"_s});
    if (!fileKey.isEmpty())
        env.setFileSetting(fileKey);
    if (existing.contains(u"current"_s))
        env.folder.write(u"sub/mine.csv"_s, own);
    if (existing.contains(u"sample"_s))
        env.folder.write(u"sample.csv"_s, sample);
    if (existing.contains(u"default"_s))
        env.folder.write(u"QVRECIPE.csv"_s, own);

    env.commands->openAtLoad();

    QCOMPARE(env.current, current);
    QCOMPARE(env.fileSetting(), fileAfter);
    QVERIFY(env.prompts.shown.isEmpty());
    const QByteArray builtIn = recipeFile(RecipeFileFormat::sampleRows);
    const QByteArray held = env.folder.read(u"QVRECIPE.csv"_s);
    QCOMPARE(held, defaultFrom == u"samples"_s  ? builtIn
                   : defaultFrom == u"sample"_s ? sample
                                                : own);
    // The weekday backup is a copy of the current file (Tuesday = 3).
    const QString currentPath = ProgramFolder::resolve(env.current);
    if (QFileInfo::exists(currentPath)) {
        QFile f(currentPath);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(env.folder.read(u"bak/QVRECIPE3.csv"_s), f.readAll());
    } else {
        QVERIFY(!QFileInfo::exists(env.folder.file(u"bak/QVRECIPE3.csv"_s)));
    }
    // The sample itself is never written.
    if (existing.contains(u"sample"_s))
        QCOMPARE(env.folder.read(u"sample.csv"_s), sample);
}

void TestRecipeFileCommands::backupFileName_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("name");
    QTest::newRow("Sunday") << QDate(2026, 12, 6) << "QVRECIPE1.csv";
    QTest::newRow("Monday") << QDate(2026, 12, 7) << "QVRECIPE2.csv";
    QTest::newRow("Tuesday") << QDate(2026, 12, 8) << "QVRECIPE3.csv";
    QTest::newRow("Saturday") << QDate(2026, 12, 12) << "QVRECIPE7.csv";
}

void TestRecipeFileCommands::backupFileName()
{
    QFETCH(QDate, date);
    QFETCH(QString, name);
    QCOMPARE(RecipeFileCommands::backupFileName(date), name);
}

void TestRecipeFileCommands::storedName_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("stored");
    QTest::newRow("directly in the program folder") << "/p/QV/a.csv"
                                                    << "a.csv";
    QTest::newRow("in a subfolder") << "/p/QV/sub/deep/a.csv"
                                    << ".\\sub\\deep\\a.csv";
    // Another folder where the file system tells letter case apart.
    QTest::newRow("prefix in other letter case") << "/p/qv/sub/a.csv"
                                                 << "/p/qv/sub/a.csv";
    QTest::newRow("outside") << "/elsewhere/a.csv"
                             << "/elsewhere/a.csv";
    QTest::newRow("a sibling folder is outside") << "/p/QVX/a.csv"
                                                 << "/p/QVX/a.csv";
}

void TestRecipeFileCommands::storedName()
{
    QFETCH(QString, path);
    QFETCH(QString, stored);
    QCOMPARE(RecipeFileCommands::storedName(path, u"/p/QV/"_s), stored);
}

void TestRecipeFileCommands::newFileName_data()
{
    const QString length = u"レシピファイル名は英数字２～８文字にしてください。"_s;
    const QString symbol = u"レシピファイル名に記号(./\\等)は使わないでください。"_s;
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("problem");
    QTest::newRow("one letter") << "a" << length;
    QTest::newRow("two letters") << "ab"
                                 << "";
    QTest::newRow("eight letters") << "abcdefgh"
                                   << "";
    QTest::newRow("nine letters") << "abcdefghi" << length;
    QTest::newRow("dot") << "a.b" << symbol;
    QTest::newRow("parent folder") << ".." << symbol;
    QTest::newRow("backslash") << "a\\b" << symbol;
    QTest::newRow("slash") << "a/b" << symbol;
    QTest::newRow("colon") << "a:b" << symbol;
    QTest::newRow("TAB") << "ab\tc" << symbol;
    QTest::newRow("kanji the code page holds") << u"料理"_s << "";
    QTest::newRow("character the code page lacks")
        << u"ab\u00E9"_s << u"「\u00E9」はレシピファイル名に使えない文字です。"_s;
}

void TestRecipeFileCommands::newFileName()
{
    QFETCH(QString, name);
    QFETCH(QString, problem);
    QCOMPARE(RecipeFileCommands::checkNewFileName(name), problem);
}

void TestRecipeFileCommands::newFileCreatesFolderAndFile()
{
    Env env;
    env.current = u"QVRECIPE.csv"_s;
    env.prompts.inputs = {u"ab"_s, u"ab"_s, std::nullopt, QString()};
    env.commands->newFile();
    QCOMPARE(env.prompts.inputPrompts.value(0),
             u"新しく作成するレシピファイル名を指定してください。\r\n\r\n"
             u"（ファイル名は英字8文字以下でお願いします）"_s);
    QCOMPARE(env.folder.read(u"ab/ab.csv"_s), recipeFile({}));
    QCOMPARE(env.current, u".\\ab\\ab.csv"_s);
    QCOMPARE(env.fileSetting(), u".\\ab\\ab.csv"_s);
    QCOMPARE(env.host.rebuilds, 1);
    QCOMPARE(env.host.busyCalls, (QList<bool>{true, false}));
    QVERIFY(env.prompts.shown.isEmpty());

    env.commands->newFile(); // the same name again
    QCOMPARE(env.prompts.lastText(), u"すでに同じ名前のレシピファイルがあります。\r\n"
                                     u"違うレシピファイル名を指定してください\r\n"_s);
    QCOMPARE(env.prompts.shown.back().icon, Prompts::Icon::Exclamation);
    env.commands->newFile(); // cancelled
    env.commands->newFile(); // empty answer
    QCOMPARE(env.prompts.shown.size(), 1);
    QCOMPARE(env.host.rebuilds, 1);
}

void TestRecipeFileCommands::newFileThatCannotBeMadeChangesNothing()
{
    Env env;
    env.current = u"QVRECIPE.csv"_s;
    env.setFileSetting(env.current);
    env.folder.write(u"cd"_s, "a file where the folder should go");
    env.prompts.inputs = {u"cd"_s};
    env.commands->newFile();
    QCOMPARE(env.current, u"QVRECIPE.csv"_s);
    QCOMPARE(env.fileSetting(), u"QVRECIPE.csv"_s);
    QCOMPARE(env.host.rebuilds, 0);
    QCOMPARE(env.prompts.shown.size(), 1);
    QVERIFY(env.prompts.lastText().contains(u"cd.csv"_s));
}

void TestRecipeFileCommands::switchFile_data()
{
    QTest::addColumn<QString>("relative"); // below the program folder; "!" marks outside
    QTest::addColumn<QString>("stored");
    QTest::newRow("bare name") << "other.csv"
                               << "other.csv";
    QTest::newRow("subfolder") << "sub/x/other.csv"
                               << ".\\sub\\x\\other.csv";
}

void TestRecipeFileCommands::switchFile()
{
    QFETCH(QString, relative);
    QFETCH(QString, stored);
    Env env;
    env.current = u".\\old\\old.csv"_s;
    env.folder.write(u"old/old.csv"_s, recipeFile({}));
    env.folder.write(relative, recipeFile({u"A,1,x"_s, u"B,1,y"_s}));

    env.dialogs.answers = {QString(), env.folder.file(u"missing.csv"_s), env.folder.file(relative)};
    env.commands->switchFile(); // cancelled
    env.commands->switchFile(); // no such file
    QCOMPARE(env.current, u".\\old\\old.csv"_s);
    QCOMPARE(env.host.rebuilds, 0);
    QVERIFY(env.prompts.shown.isEmpty());

    env.commands->switchFile();
    const FileDialogRequest &asked = env.dialogs.requests.at(0);
    QCOMPARE(asked.title, u"レシピファイルの切替え(読込)"_s);
    QCOMPARE(asked.filter, u"ＣＳＶ (*.csv)|*.csv|全て (*.*)|*.*||"_s);
    QCOMPARE(asked.initialFolder, env.folder.path() + u"old"_s);
    QCOMPARE(asked.defaultName, u"old.csv"_s);
    QCOMPARE(env.current, stored);
    QCOMPARE(env.fileSetting(), stored);
    QCOMPARE(ProgramFolder::resolve(stored), env.folder.file(relative));
    QCOMPARE(env.prompts.lastText(), u"レシピファイルを読み込みました\r\n「"_s + stored +
                                         u"」\r\n\r\n    レシピ数： 2\r\n"_s);
    QCOMPARE(env.host.busyCalls, (QList<bool>{true, false}));
}

void TestRecipeFileCommands::switchToUnreadableFileChangesNothing()
{
    Env env;
    env.current = u"QVRECIPE.csv"_s;
    // A folder with a file's name cannot be read as a file.
    QDir(env.folder.path()).mkpath(u"trap.csv"_s);
    env.folder.write(u"locked.csv"_s, recipeFile({}));
    QFile::setPermissions(env.folder.file(u"locked.csv"_s), QFileDevice::WriteOwner);
    env.dialogs.answers = {env.folder.file(u"trap.csv"_s), env.folder.file(u"locked.csv"_s)};
    env.commands->switchFile();
    QVERIFY(env.prompts.shown.isEmpty()); // a folder is no file: nothing happens
    env.commands->switchFile();
    if (QFile(env.folder.file(u"locked.csv"_s)).open(QIODevice::ReadOnly))
        QSKIP("permissions do not stop this user from reading");
    QCOMPARE(env.current, u"QVRECIPE.csv"_s);
    QVERIFY(env.prompts.lastText().contains(u"locked.csv"_s));
}

void TestRecipeFileCommands::settingsWriteFailureIsReported_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("told"); // before the settings file's own message
    QTest::newRow("switch")
        << "switch"
        << "other.csv"
        << u"レシピファイルを読み込みました\r\n「other.csv」\r\n\r\n    レシピ数： 2\r\n\r\n"
           u"レシピファイル「other.csv」を次回の起動時にも開くための設定を保存できませんでした。\r\n"_s;
    QTest::newRow("new file")
        << "new"
        << ".\\ab\\ab.csv"
        << u"レシピファイル「.\\ab\\ab.csv」を次回の起動時にも開くための設定を保存できませんでした。\r\n"_s;
    QTest::newRow("blank FILE at load") << "load"
                                        << "QVRECIPE.csv" << QString();
}

void TestRecipeFileCommands::settingsWriteFailureIsReported()
{
    QFETCH(QString, command);
    QFETCH(QString, current);
    QFETCH(QString, told);
    Env env;
    env.current = u"QVRECIPE.csv"_s;
    env.folder.write(env.current, recipeFile({}));
    env.folder.write(u"other.csv"_s, recipeFile({u"A,1,x"_s, u"B,1,y"_s}));
    // The settings file is a link into a folder that is gone: it reads as
    // empty, and every write fails.
    const QString ini = env.settings.filePath();
    QVERIFY(QFile::link(env.folder.file(u"gone/x.ini"_s), ini));
    env.dialogs.answers = {env.folder.file(u"other.csv"_s)};
    env.prompts.inputs = {u"ab"_s};
    if (command == u"switch"_s)
        env.commands->switchFile();
    else if (command == u"new"_s)
        env.commands->newFile();
    else
        env.commands->openAtLoad();
    QCOMPARE(env.current, current);
    QCOMPARE(env.prompts.shown.size(), 1);
    QCOMPARE(
        env.prompts.lastText(),
        told +
            u"設定ファイル[%1]に書き込めませんでした。\r\nファイルまたはフォルダーがありません。"_s
                .arg(ini));
    QCOMPARE(env.prompts.shown.back().icon, Prompts::Icon::Exclamation);
}

void TestRecipeFileCommands::importReportsCounts()
{
    Env env;
    env.current = u"QVRECIPE.csv"_s;
    env.folder.write(env.current, recipeFile({u"A,1,x"_s, u"C,1,x"_s}));
    env.folder.write(u"in/import.csv"_s, importFile({u"B,1,x"_s, u"C,1,x,new"_s}));
    env.dialogs.answers = {QString(), env.folder.file(u"in/import.csv"_s)};
    env.commands->importFile(); // cancelled
    QCOMPARE(env.host.rebuilds, 0);
    env.commands->importFile();
    const FileDialogRequest &asked = env.dialogs.requests.at(1);
    QCOMPARE(asked.title, u"レシピファイルの切替え(読込)"_s);
    QCOMPARE(asked.filter,
             u"CSVファイル (*.csv)|*.csv|テキスト (*.csv;*.txt)|*.csv;*.txt|全て (*.*)|*.*||"_s);
    QCOMPARE(asked.initialFolder, env.folder.path());
    QVERIFY(asked.defaultName.isEmpty());
    QCOMPARE(env.prompts.lastText(), u"レシピファイルをインポートしました\r\n「"_s +
                                         env.folder.file(u"in/import.csv"_s) +
                                         u"」\r\n\r\n    追加レシピ数： 1\r\n"
                                         u"    更新レシピ数： 1\r\n    合計レシピ数： 3\r\n"_s);
    QCOMPARE(env.folder.read(env.current), recipeFile({u"A,1,x"_s, u"B,1,x"_s, u"C,1,x,new"_s}));
    QCOMPARE(env.folder.read(u"qvprint.tmp"_s), recipeFile({u"A,1,x"_s, u"C,1,x"_s}));
    QCOMPARE(env.host.rebuilds, 1);
}

void TestRecipeFileCommands::onlyRecipeFilesAreTakenIn_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("why"); // the message's second line; empty: taken in
    const QString notRecipe =
        u"最初の行が見出し行（主材料,副材料,料理名,…）でも、レシピの行でもありません。"_s;
    const QStringList samples = RecipeFileFormat::sampleRows;
    QTest::newRow("rows without a header") << u"a.csv"_s << cp932Lines(samples) << QString();
    QTest::newRow("byte-order mark before the metadata")
        << u"a.csv"_s << QByteArray("\xEF\xBB\xBF") + recipeFile(samples) << QString();
    QByteArray damaged = recipeFile(samples);
    damaged.insert(damaged.indexOf(",qv\r\n"), '\0');
    QTest::newRow("a row damaged by a NUL byte") << u"d.csv"_s << damaged << QString();
    QTest::newRow("plain text") << u"memo.txt"_s << cp932Lines({u"買い物メモ"_s, u"豚肉"_s})
                                << notRecipe;
    QTest::newRow("another table")
        << u"t.csv"_s << cp932Lines({u"名前,値段,数"_s, u"りんご,100,3"_s}) << notRecipe;
    QByteArray utf16 = "\xFF\xFE";
    for (const QString &line : RecipeFileFormat::newFileMetadata)
        utf16 += QByteArray(reinterpret_cast<const char *>(line.utf16()), line.size() * 2) +
                 QByteArray("\r\0\n\0", 4);
    QTest::newRow("UTF-16") << u"u16.csv"_s << utf16 << u"UTF-16"_s;
    QTest::newRow("UTF-8")
        << u"u8.csv"_s
        << (QStringList{RecipeFileFormat::RecipeFileHeader} + samples).join(u"\r\n"_s).toUtf8()
        << u"UTF-8"_s;
    QTest::newRow("binary") << u"p.png"_s << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)
                            << notRecipe;
    QTest::newRow("all NUL") << u"z.csv"_s << QByteArray(4096, '\0') << notRecipe;
    QTest::newRow("10 MB on one line") << u"big.csv"_s << QByteArray(10 << 20, 'x') << notRecipe;
    QTest::newRow("the work file")
        << u"qvprint.tmp"_s << recipeFile(samples)
        << u"レシピファイルとしては使えません。別の名前でコピーしてから開いてください。"_s;
}

// Switch and import refuse, naming the file and saying why, and change
// nothing; headerless recipe rows are taken in whole.
void TestRecipeFileCommands::onlyRecipeFilesAreTakenIn()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, why);
    Env env;
    env.current = u"QVRECIPE.csv"_s;
    const QByteArray before = recipeFile({u"A,1,x"_s});
    env.folder.write(env.current, before);
    env.folder.write(name, content);
    const QString chosen = env.folder.file(name);

    env.dialogs.answers = {chosen, chosen};
    env.commands->importFile();
    if (why.isEmpty()) {
        QVERIFY(env.prompts.lastText().contains(u"追加レシピ数： 3\r\n"_s));
        QCOMPARE(RecipeFileReader(env.folder.file(env.current)).rows().size(), 4);
    } else {
        QStringList lines = env.prompts.lastText().split(u"\r\n"_s);
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines.at(0).startsWith(u"「"_s + QDir::toNativeSeparators(chosen) + u"」"_s));
        if (why.startsWith(u"UTF"_s))
            QCOMPARE(lines.at(0),
                     u"「"_s + QDir::toNativeSeparators(chosen) + u"」は"_s + why +
                         u"で書かれたファイルのため、レシピファイルとして使えません。"_s);
        else
            QCOMPARE(lines.at(1), why);
        QCOMPARE(lines.at(2), u"何も変更していません。"_s);
        QCOMPARE(env.folder.read(env.current), before);
        QCOMPARE(env.host.rebuilds, 0);
    }

    env.commands->switchFile();
    QCOMPARE(env.current, why.isEmpty() ? name : u"QVRECIPE.csv"_s);
    QCOMPARE(env.fileSetting(), why.isEmpty() ? name : QString());
    QCOMPARE(env.folder.read(name), content);
    if (why.isEmpty())
        QVERIFY(env.prompts.lastText().endsWith(u"レシピ数： 3\r\n"_s));
}

void TestRecipeFileCommands::importOfTheCurrentFileIsRefused_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<bool>("chooseFullPath");
    QTest::newRow("full path stored") << "" << true;
    QTest::newRow("bare name stored, full path chosen") << "QVRECIPE.csv" << true;
    QTest::newRow("subfolder stored, full path chosen") << ".\\sub\\QVRECIPE.csv" << true;
}

void TestRecipeFileCommands::importOfTheCurrentFileIsRefused()
{
    QFETCH(QString, current);
    Env env;
    const QString relative =
        current.isEmpty()
            ? u"QVRECIPE.csv"_s
            : ProgramFolder::toQtSeparators(current).mid(current.startsWith(u'.') ? 2 : 0);
    env.folder.write(relative, recipeFile({u"A,1,x"_s}));
    env.current = current.isEmpty() ? env.folder.file(relative) : current;
    const QByteArray before = env.folder.read(relative);
    env.dialogs.answers = {env.folder.file(relative)};
    env.commands->importFile();
    QCOMPARE(env.prompts.lastText(),
             u"「"_s + env.folder.file(relative) + u"」は既に読み込み済です"_s);
    QCOMPARE(env.folder.read(relative), before);
    QCOMPARE(env.host.rebuilds, 0);
}

void TestRecipeFileCommands::importThatCannotReadChangesNothing_data()
{
    QTest::addColumn<bool>("importMissing");
    QTest::addColumn<bool>("currentMissing");
    QTest::newRow("import file missing") << true << false;
    QTest::newRow("current file missing") << false << true;
}

void TestRecipeFileCommands::importThatCannotReadChangesNothing()
{
    QFETCH(bool, importMissing);
    QFETCH(bool, currentMissing);
    Env env;
    env.current = u"QVRECIPE.csv"_s;
    const QByteArray before = recipeFile({u"A,1,x"_s});
    if (!currentMissing)
        env.folder.write(env.current, before);
    if (!importMissing)
        env.folder.write(u"import.csv"_s, importFile({u"B,1,x"_s}));
    env.dialogs.answers = {env.folder.file(u"import.csv"_s)};
    env.commands->importFile();
    QCOMPARE(env.prompts.shown.size(), 1);
    QVERIFY(env.prompts.lastText().contains(importMissing ? u"import.csv"_s : u"QVRECIPE.csv"_s));
    QCOMPARE(env.folder.read(env.current), currentMissing ? QByteArray() : before);
    QVERIFY(QFileInfo::exists(env.folder.file(env.current)) != currentMissing);
    QCOMPARE(env.host.rebuilds, 0);
    QCOMPARE(env.host.busyCalls, (QList<bool>{true, false}));
}

void TestRecipeFileCommands::importKeepsUntouchedBytes()
{
    Env env;
    env.current = u"QVRECIPE.csv"_s;
    // NEC-selected IBM extension (0xED40) and its IBM twin (0xFA5C) decode to
    // the same character, which encodes back to only one of them; 0xA0 is no
    // character at all. Rows and metadata holding them must come out as
    // they went in.
    const QByteArray meta = "@TITLE=\xED\x40\xA0";
    const QByteArray necRow = "\"A\",\"1\",\"\xED\x40\"";
    const QByteArray ibmRow = "\"C\",\"1\",\"\xFA\x5C\"";
    const QByteArray badRow = "\"E\",\"1\",\"x\xA0y\x80\"";
    const QByteArray lastRow = "\"G\",\"1\",\"x\"";
    const QByteArray header = Cp932::encodeLossy(RecipeFileFormat::RecipeFileHeader);
    const QByteArray otherHeader = Cp932::encodeLossy(u"\"主材料\",\"副材料\",\"料理名\""_s);
    env.folder.write(env.current, meta + "\r\n" + otherHeader + "\r\n" + necRow + "\r\n" + ibmRow +
                                      "\r\n" + badRow + "\r\n" + lastRow + "\r\n");
    env.folder.write(u"import.csv"_s, importFile({u"B,1,x"_s, u"G,1,x,new"_s}));
    env.dialogs.answers = {env.folder.file(u"import.csv"_s)};
    env.commands->importFile();
    QCOMPARE(env.folder.read(env.current), meta + "\r\n" + header + "\r\n" + necRow +
                                               "\r\nB,1,x\r\n" + ibmRow + "\r\n" + badRow +
                                               "\r\nG,1,x,new\r\n");
}

void TestRecipeFileCommands::exportShown()
{
    Env env;
    env.clipboard.setText(u"old"_s);
    env.commands->exportShown();
    QVERIFY(!env.clipboard.hasText()); // nothing shown: only emptied

    env.host.shown = RecordCodec::splitRecordLine(RecipeFileFormat::sampleRows.at(0));
    env.commands->exportShown();
    QCOMPARE(env.clipboard.text(), RecipeExport::exportText(*env.host.shown));

    // The shown row changed in the file: refused, the clipboard kept.
    env.host.shown.reset();
    env.host.refusal = u"changed"_s;
    env.commands->exportShown();
    QCOMPARE(env.prompts.lastText(), u"changed"_s);
    QCOMPARE(env.clipboard.text(), RecipeExport::exportText(RecordCodec::splitRecordLine(
                                       RecipeFileFormat::sampleRows.at(0))));
    QCOMPARE(env.host.rebuilds, 1);
}

void TestRecipeFileCommands::searchFindsNextWithFolding()
{
    Env env;
    env.current = u"QVRECIPE.csv"_s;
    // Record numbers: header 1, rows 2 to 5 (metadata lines do not count).
    env.folder.write(env.current, recipeFile({u"飯/麺,ゴハン,ごはんコロッケ,,,,,,,,,,,,,,,qv"_s,
                                              u"@NOTE=コロッケ"_s, u"肉,豚,とんかつ"_s,
                                              u"肉,牛,ｺﾛｯｹ定食"_s, u"菓子,紅茶,QV特製ころっけ"_s}));
    env.host.searchScript = {{0, u"ころっけ"_s}, {1, {}}, {1, {}}, {1, {}}};
    env.commands->search();
    QCOMPARE(env.host.hits, (QList<int>{2, 4, 5}));
    QCOMPARE(env.prompts.lastText(), u"検索終了"_s);
    QCOMPARE(env.host.textsOffered.value(0), QString()); // cleared at the start
    QCOMPARE(env.host.textsOffered.value(1), u"ころっけ"_s);

    // Upper and lower case, full and half width: "ｑｖ" finds "qv" and "QV";
    // a new search starts from the top again; cancel ends it.
    env.host.hits.clear();
    env.host.searchScript = {{0, u"ｑｖ"_s}, {1, {}}, {0, {}}, {-1, {}}};
    env.commands->search();
    QCOMPARE(env.host.hits, (QList<int>{2, 5, 2}));

    // A file that cannot be read is named, not reported as "nothing found".
    QFile::remove(env.folder.file(env.current));
    env.host.searchScript = {{0, u"x"_s}};
    env.commands->search();
    QVERIFY(env.prompts.lastText().contains(u"QVRECIPE.csv"_s));
    QCOMPARE(env.prompts.shown.back().icon, Prompts::Icon::Exclamation);
}

QTEST_GUILESS_MAIN(TestRecipeFileCommands)
#include "tst_recipefilecommands.moc"
