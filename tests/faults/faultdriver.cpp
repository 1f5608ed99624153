// Runs one add, update, delete, import and settings write with a fault
// injected into each file-system call they make, one call at a time, through
// the preloaded faultshim. Every case must either report success with the
// new content wholly in place, or report failure, say which file and why, and
// leave the file byte for byte as it was; no case may leave a stray file
// behind that the next save would not remove. Prints a summary; the exit
// status is the number of broken cases (capped), 0 when all hold.
//
//   LD_PRELOAD=libqvfaultshim.so faultdriver [OPERATION...]
#include "editor/recipeeditor.h"
#include "platform/clock.h"
#include "platform/cp932.h"
#include "platform/filedialogs.h"
#include "platform/prompts.h"
#include "platform/settingsfile.h"
#include "platform/systemerror.h"
#include "platform/textfile.h"
#include "recipe/recipefilecommands.h"
#include "recipe/recipefileformat.h"
#include "recipe/recipefilehost.h"
#include "recipe/recipefilelayout.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <dlfcn.h>

#include <cerrno>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

struct Shim
{
    int (*arm)(const char *) = nullptr;
    void (*disarm)() = nullptr;
    int (*calls)(const char *) = nullptr;
    int (*fired)() = nullptr;

    bool load()
    {
        arm = reinterpret_cast<int (*)(const char *)>(dlsym(RTLD_DEFAULT, "qv_fault_arm"));
        disarm = reinterpret_cast<void (*)()>(dlsym(RTLD_DEFAULT, "qv_fault_disarm"));
        calls = reinterpret_cast<int (*)(const char *)>(dlsym(RTLD_DEFAULT, "qv_fault_calls"));
        fired = reinterpret_cast<int (*)()>(dlsym(RTLD_DEFAULT, "qv_fault_fired"));
        return arm && disarm && calls && fired;
    }
} shim;

class RecordingPrompts : public Prompts
{
public:
    Answer message(const QString &text, Icon, Buttons buttons, Answer, const QString &) override
    {
        texts.append(text);
        return buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
    }
    std::optional<QString> input(const QString &, const QString &, const QString &) override
    {
        return std::nullopt;
    }
    QStringList texts;
};

class FixedClock : public Clock
{
public:
    QDateTime now() const override { return QDateTime(QDate(2026, 12, 8), QTime(9, 0)); }
};

class OneFile : public FileDialogs
{
public:
    explicit OneFile(const QString &path) : m_path(path) {}
    QString chooseFile(FileDialogRequest &) override { return m_path; }

private:
    QString m_path;
};

const QString recipeName = u"QVRECIPE.csv"_s;
const QString settingsName = u"QVRECIPE.ini"_s;
const QString importName = u"import.csv"_s;
const QString workName = u"qvprint.tmp"_s;

QByteArray cp932(const QStringList &lines)
{
    QList<QByteArray> raw;
    for (const QString &line : lines)
        raw.append(Cp932::encodeLossy(line));
    return TextFile::joinLines(raw);
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot prepare %s\n", qPrintable(path));
        std::exit(2);
    }
}

// The files every case starts from: a recipe file of 40 rows (large enough
// that reading and writing take more than one call when a call comes up
// short), a file to import, a settings file.
struct Fixture
{
    QByteArray recipe;
    QByteArray import;
    QByteArray settings;

    Fixture()
    {
        QStringList rows = RecipeFileFormat::newFileMetadata;
        rows << RecipeFileFormat::RecipeFileHeader;
        for (int i = 0; i < 40; ++i)
            rows
                << u"\"肉\",\"豚\",\"料理%1\",\"0|1|0|0|0|0|0|\",\"3\",\"0\",\"豚肉\\n玉ねぎ\",\"炒める\""_s
                       .arg(i, 2, 10, QLatin1Char('0'));
        recipe = cp932(rows);
        import = cp932({RecipeFileFormat::RecipeFileHeader, u"\"魚\",\"鮭\",\"鮭の塩焼き\""_s,
                        u"\"肉\",\"豚\",\"料理05\",\"0|0|0|0|0|0|0|\",\"1\""_s});
        settings = cp932({u"[QVRECIPE]"_s, u"VERSION=2.01.00"_s, u"FILE=QVRECIPE.csv"_s,
                          u"; comment"_s, u"[SIZE_BIBLE]"_s, u"LEFT=8"_s});
    }

    void writeTo(const QString &dir) const
    {
        writeFile(dir + recipeName, recipe);
        writeFile(dir + importName, import);
        writeFile(dir + settingsName, settings);
    }
};

enum class Operation { Add, Update, Delete, Import, Settings };

struct OperationInfo
{
    Operation op;
    const char *name;
};

const OperationInfo operations[] = {
    {Operation::Add, "add"},       {Operation::Update, "update"},     {Operation::Delete, "delete"},
    {Operation::Import, "import"}, {Operation::Settings, "settings"},
};

struct Outcome
{
    bool ok = false;
    QStringList messages;
};

// Runs the operation in dir with the faults armed only around it.
Outcome run(Operation op, const QString &dir, const QByteArray &faults)
{
    Outcome out;
    RecordingPrompts prompts;
    FixedClock clock;
    RecipeForm form;
    form.cmb_jyuyou.items = {u"0"_s, u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s};
    RecipeEditor editor(prompts, clock, form);
    editor.setRecipeFile(dir + recipeName);
    editor.setWorkFile(dir + workName);
    SettingsFile settings(dir + settingsName, u"QVRECIPE"_s);
    QString current = dir + recipeName;
    NoWindowHost host;
    OneFile dialog(dir + importName);
    RecipeFileContext context;
    context.programDir = dir;
    context.backupDir = dir + u"bak/"_s;
    context.currentFileName = &current;
    context.settings = &settings;
    context.prompts = &prompts;
    context.dialogs = &dialog;
    context.clock = &clock;
    context.host = &host;
    RecipeFileCommands commands(context);

    if (op == Operation::Update) {
        if (!editor.show(5)) {
            std::fprintf(stderr, "update: the row to change cannot be shown\n");
            std::exit(2);
        }
        form.Txt_key1 = u"料理03 改"_s;
    } else if (op == Operation::Add) {
        form.Txt_key1 = u"料理20 追加"_s;
        form.Cmb_bunrui11.items = {u"肉"_s};
        form.Cmb_bunrui11.select(0);
        form.txt_yobi[0] = u"鶏肉\r\n塩"_s;
    }

    // Delete names the row it means, as the list does.
    size_t row7 = 0;
    if (op == Operation::Delete) {
        const std::optional<QByteArray> raw =
            RecipeFileLayout::row(TextFile::splitLines(readFile(dir + recipeName)), 7);
        row7 = raw ? RecipeFileLayout::rowIdentity(*raw) : 0;
    }

    if (shim.arm(faults.constData()) != 0) {
        std::fprintf(stderr, "the shim cannot parse %s\n", faults.constData());
        std::exit(2);
    }
    switch (op) {
    case Operation::Add:
        out.ok = editor.add();
        break;
    case Operation::Update:
        out.ok = editor.update();
        break;
    case Operation::Delete:
        out.ok = editor.remove(7, u"料理05"_s, row7);
        break;
    case Operation::Import:
        commands.importFile();
        break;
    case Operation::Settings:
        out.ok = settings.writeSetting(u"QVRECIPE"_s, u"FILE"_s, u".\\new\\new.csv"_s);
        if (!settings.lastError().isEmpty())
            prompts.texts.append(settings.lastError());
        break;
    }
    shim.disarm();
    out.messages = prompts.texts;
    // The confirmations are questions, not reports.
    out.messages.removeIf([](const QString &m) {
        return m.endsWith(u"」を更新します"_s) || m.endsWith(u"」を削除します"_s);
    });
    if (op == Operation::Import) {
        out.ok = !out.messages.isEmpty() &&
                 out.messages.back().startsWith(u"レシピファイルをインポートしました"_s);
        if (out.ok)
            out.messages.removeLast();
    }
    return out;
}

QString targetOf(Operation op)
{
    return op == Operation::Settings ? settingsName : recipeName;
}

QStringList strays(const QString &dir)
{
    QStringList found;
    const QStringList expected = {recipeName, settingsName, importName, workName};
    for (const QString &name : QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (!expected.contains(name))
            found.append(name);
    }
    return found;
}

struct Tally
{
    int cases = 0;
    int saved = 0;
    int savedWithWarning = 0;
    int refused = 0;
    int notFired = 0;
    int strayCleaned = 0;
    int broken = 0;
};

void broken(Tally &tally, const char *op, const QByteArray &faults, const QString &why)
{
    ++tally.broken;
    std::printf("BROKEN %s [%s]: %s\n", op, faults.constData(), qPrintable(why));
}

// What the message must say for the first injected error number.
QString reasonFor(const QByteArray &faults)
{
    const QByteArray first = faults.split(',').constFirst();
    for (const auto &[name, e] : {std::pair{"ENOSPC", ENOSPC}, {"EIO", EIO}, {"EACCES", EACCES}}) {
        if (first.endsWith(name))
            return SystemError::text(e);
    }
    return {};
}

void check(const OperationInfo &info, const Fixture &fixture, const QByteArray &expectedNew,
           const QByteArray &faults, Tally &tally)
{
    QTemporaryDir temp;
    const QString dir = temp.path() + u'/';
    fixture.writeTo(dir);
    const QByteArray old = readFile(dir + targetOf(info.op));
    const Outcome out = run(info.op, dir, faults);
    ++tally.cases;
    if (shim.fired() == 0)
        ++tally.notFired;
    const QByteArray now = readFile(dir + targetOf(info.op));
    const QString joined = out.messages.join(u" | "_s);
    if (out.ok) {
        if (now != expectedNew)
            broken(tally, info.name, faults,
                   u"reported as saved, but the file holds %1 bytes, not the %2 saved (%3)"_s
                       .arg(now.size())
                       .arg(expectedNew.size())
                       .arg(now == old ? u"the old content"_s : u"neither old nor new"_s));
        for (const QString &m : out.messages) {
            if (!m.contains(u"ディスクがエラーを報告しました"_s))
                broken(tally, info.name, faults, u"saved, but said: "_s + m);
        }
        // Every sync makes the change durable: its failure is never silent.
        if (out.messages.isEmpty() &&
            (faults.startsWith("fsync") || faults.startsWith("fdatasync")))
            broken(tally, info.name, faults, u"a failed sync was not reported"_s);
        ++(out.messages.isEmpty() ? tally.saved : tally.savedWithWarning);
    } else {
        ++tally.refused;
        if (now != old)
            broken(tally, info.name, faults,
                   u"reported as failed, but the file changed (%1 bytes, was %2)"_s.arg(now.size())
                       .arg(old.size()));
        const QString reason = reasonFor(faults);
        if (out.messages.isEmpty())
            broken(tally, info.name, faults, u"failed without a message"_s);
        else if (!joined.contains(targetOf(info.op)) ||
                 (!reason.isEmpty() && !joined.contains(reason)) ||
                 (info.op != Operation::Settings && !joined.contains(u"元のまま"_s) &&
                  !joined.contains(u"変更していません"_s)))
            broken(tally, info.name, faults,
                   u"the message lacks the file, the reason or that "
                   u"nothing changed: "_s +
                       joined);
    }
    const QByteArray work = readFile(dir + workName);
    if (!work.isEmpty() && work != fixture.recipe)
        broken(tally, info.name, faults, u"the work file is neither absent nor a whole copy"_s);
    if (readFile(dir + importName) != fixture.import ||
        (info.op != Operation::Settings && readFile(dir + settingsName) != fixture.settings))
        broken(tally, info.name, faults, u"another file changed"_s);

    // A temporary file left because removing it failed must go with the
    // next save of the same file.
    if (const QStringList left = strays(dir); !left.isEmpty()) {
        for (const QString &name : left) {
            if (!name.contains(QLatin1StringView(TextFile::temporaryMark)))
                broken(tally, info.name, faults, u"stray file "_s + name);
        }
        run(info.op, dir, QByteArray());
        if (const QStringList still = strays(dir); !still.isEmpty())
            broken(tally, info.name, faults,
                   u"the next save left behind: "_s + still.join(u", "_s));
        else
            ++tally.strayCleaned;
    }
}

const char *const groups[] = {"open",  "read",   "write", "fsync", "fdatasync",
                              "close", "rename", "link",  "unlink"};

// The ways a call of the group is made to fail. The error numbers take
// turns, since they take the same way through the code.
QList<QByteArray> modesFor(const QByteArray &group, int n)
{
    static const QByteArray errors[] = {"ENOSPC", "EIO", "EACCES"};
    QList<QByteArray> modes = {errors[n % 3]};
    if (group == "read")
        modes << "short"
              << "eof";
    if (group == "write")
        modes << "short";
    return modes;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (!shim.load()) {
        std::fprintf(stderr, "faultdriver needs LD_PRELOAD=libqvfaultshim.so\n");
        return 2;
    }
    QStringList wanted = app.arguments().mid(1);
    const Fixture fixture;
    // Warm-up: converters and other lazily loaded parts open their files
    // before any fault is armed.
    Cp932::decode("\x97\xbf");
    Cp932::encodeLossy(u"料理"_s);

    Tally total;
    for (const OperationInfo &info : operations) {
        if (!wanted.isEmpty() && !wanted.contains(QString::fromLatin1(info.name)))
            continue;
        Tally tally;
        // A clean run gives the new content and how many calls there are.
        QTemporaryDir temp;
        const QString dir = temp.path() + u'/';
        fixture.writeTo(dir);
        const Outcome clean = run(info.op, dir, QByteArray());
        const QByteArray expectedNew = readFile(dir + targetOf(info.op));
        const QByteArray old = info.op == Operation::Settings ? fixture.settings : fixture.recipe;
        if (!clean.ok || !clean.messages.isEmpty() || expectedNew == old) {
            std::printf("BROKEN %s: the clean run failed: %s\n", info.name,
                        qPrintable(clean.messages.join(u" | "_s)));
            ++total.broken;
            continue;
        }
        QList<std::pair<QByteArray, int>> counts;
        for (const char *group : groups)
            counts.append({group, shim.calls(group)});

        for (const auto &[group, count] : counts) {
            for (int n = 1; n <= count; ++n) {
                for (const QByteArray &mode : modesFor(group, n))
                    check(info, fixture, expectedNew,
                          group + ':' + QByteArray::number(n) + ':' + mode, tally);
            }
        }
        // Removing the temporary file after a failed write fails as well.
        check(info, fixture, expectedNew, "write:1:ENOSPC,unlink:1:EIO", tally);
        check(info, fixture, expectedNew, "fdatasync:1:EIO,unlink:1:EACCES", tally);

        QStringList callText;
        for (const auto &[group, count] : counts)
            callText.append(QString::fromLatin1(group) + u' ' + QString::number(count));
        std::printf("%-8s calls: %s\n", info.name, qPrintable(callText.join(u", "_s)));
        std::printf("%-8s %d cases: %d saved, %d saved with a disk warning, %d refused, "
                    "%d leftovers removed by the next save, %d broken\n",
                    info.name, tally.cases, tally.saved, tally.savedWithWarning, tally.refused,
                    tally.strayCleaned, tally.broken);
        if (tally.notFired)
            std::printf("BROKEN %s: %d faults never fired (the calls are not repeatable)\n",
                        info.name, tally.notFired);
        total.cases += tally.cases;
        total.broken += tally.broken + (tally.notFired ? 1 : 0);
    }
    std::printf("%d cases, %d broken\n", total.cases, total.broken);
    return qMin(total.broken, 100);
}
