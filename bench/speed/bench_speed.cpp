// The program's speed against plain baselines, each measured in the same run:
// `iconv -f CP932` of the file and small Python 3 csv scripts (beside this
// file). Wall and processor times are both given; on a shared machine the
// processor time is the steadier of the two.
//
//   bench_speed list FILE [runs]          list rebuild of the recipe list window
//   bench_speed import FILE IMPORT [runs] import of IMPORT into a copy of FILE
//   bench_speed update FILE [runs]        update of one recipe (rewrite + rebuild)
//   bench_speed analyse MB [rounds]       analysis of MB and 4*MB of recipe text
#include "analysis/analysecommand.h"
#include "analysis/analysedrecipe.h"
#include "app/appstate.h"
#include "editor/ui/recipelistwindow.h"
#include "platform/clock.h"
#include "platform/filedialogs.h"
#include "platform/prompts.h"
#include "recipe/recipeexport.h"
#include "recipe/recipefilecommands.h"
#include "recipe/vocabularyfile.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

struct Time
{
    double wall = 0; // ms
    double cpu = 0;  // ms
};

double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v.at(v.size() / 2);
}

double percentile(QList<double> v, double p)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v.at(std::min<qsizetype>(v.size() - 1, qsizetype(p * v.size())));
}

double processCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

double childrenCpuMs()
{
    rusage u{};
    getrusage(RUSAGE_CHILDREN, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 +
           (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
}

Time inProcess(const std::function<void()> &work)
{
    QElapsedTimer t;
    const double cpu = processCpuMs();
    t.start();
    work();
    return {t.nsecsElapsed() / 1e6, processCpuMs() - cpu};
}

// A baseline program with its output thrown away; standard output is
// returned when keepOutput is set.
Time child(const QString &program, const QStringList &args, QByteArray *keepOutput = nullptr)
{
    QProcess p;
    if (!keepOutput)
        p.setStandardOutputFile(QProcess::nullDevice());
    const double cpu = childrenCpuMs();
    QElapsedTimer t;
    t.start();
    p.start(program, args);
    p.waitForFinished(-1);
    const Time time{t.nsecsElapsed() / 1e6, childrenCpuMs() - cpu};
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        std::printf("baseline failed: %s\n", qPrintable(program));
    if (keepOutput)
        *keepOutput = p.readAllStandardOutput();
    return time;
}

struct Series
{
    QList<double> wall, cpu;
    void add(Time t)
    {
        wall.append(t.wall);
        cpu.append(t.cpu);
    }
    double w() const { return median(wall); }
    double c() const { return median(cpu); }
};

void print(const char *name, const Series &s)
{
    std::printf("  %-34s median %8.1f ms wall %8.1f ms cpu\n", name, s.w(), s.c());
}

void ratio(const char *name, double a, double b, double ac, double bc)
{
    std::printf("  %-34s %6.2fx wall %6.2fx cpu\n", name, a / b, ac / bc);
}

class SilentPrompts : public Prompts
{
public:
    Answer message(const QString &text, Icon, Buttons, Answer defaultAnswer,
                   const QString &) override
    {
        last = text;
        return defaultAnswer == Answer::Cancel ? Answer::Ok : defaultAnswer;
    }
    std::optional<QString> input(const QString &, const QString &, const QString &) override
    {
        return std::nullopt;
    }
    QString last;
};

class FixedDialog : public FileDialogs
{
public:
    QString chooseFile(FileDialogRequest &) override { return path; }
    QString path;
};

QString benchDir()
{
    return QString::fromUtf8(QV_BENCH_DIR) + u"/"_s;
}

QString python()
{
    return QFile::exists(u"/usr/bin/python3"_s) ? u"/usr/bin/python3"_s : u"python3"_s;
}

// A program folder holding a copy of the recipe file as its current file.
struct Home
{
    QTemporaryDir dir;
    QString path;
    AppState state;
    SilentPrompts prompts;
    Clock clock;
    std::unique_ptr<RecipeListWindow> window;

    explicit Home(const QString &recipeFile)
    {
        path = dir.path() + u"/"_s;
        qputenv("QVRECIPE_HOME", dir.path().toLocal8Bit());
        QFile::copy(recipeFile, current());
        VocabularyFile::writeVocabularyFile(path + u"qvrecipe.txt"_s);
        QDir(path).mkpath(u"bak"_s);
        state.programDir = path;
        state.backupDir = path + u"bak/"_s;
        state.programName = u"QVRECIPE"_s;
        state.clock = &clock;
        window = std::make_unique<RecipeListWindow>(state, prompts, clock);
        window->resize(1200, 800);
        window->show();
    }
    QString current() const { return path + u"QVRECIPE.csv"_s; }
};

class BenchHost : public NoWindowHost
{
public:
    explicit BenchHost(RecipeListWindow &w) : window(w) {}
    int rebuildList() override
    {
        window.rebuildList();
        return window.list()->count();
    }
    RecipeListWindow &window;
};

int benchList(const QString &file, int runs)
{
    Home home(file);
    home.window->rebuildList(); // warm up the file cache
    const QString script = benchDir() + u"baseline_csv.py"_s;
    Series iconv, py, list;
    for (int i = 0; i < runs; ++i) {
        iconv.add(child(u"iconv"_s, {u"-f"_s, u"CP932"_s, u"-t"_s, u"UTF-8"_s, file}));
        py.add(child(python(), {script, file}));
        list.add(inProcess([&] { home.window->rebuildList(); }));
    }
    std::printf("list rebuild (%d entries):\n", home.window->list()->count());
    print("iconv -f CP932", iconv);
    print("python csv", py);
    print("list rebuild", list);
    ratio("list / iconv", list.w(), iconv.w(), list.c(), iconv.c());
    ratio("python / list", py.w(), list.w(), py.c(), list.c());
    return 0;
}

int benchImport(const QString &file, const QString &import, int runs)
{
    Series iconv, imp;
    QString message;
    for (int i = 0; i < runs; ++i) {
        iconv.add(child(u"iconv"_s, {u"-f"_s, u"CP932"_s, u"-t"_s, u"UTF-8"_s, file, import}));
        Home home(file);
        home.window->rebuildList();
        FixedDialog dialog;
        dialog.path = import;
        BenchHost host(*home.window);
        QString currentName = u"QVRECIPE.csv"_s;
        RecipeFileContext c;
        c.programDir = home.path;
        c.backupDir = home.state.backupDir;
        c.currentFileName = &currentName;
        c.prompts = &home.prompts;
        c.dialogs = &dialog;
        c.clock = &home.clock;
        c.host = &host;
        RecipeFileCommands commands(c);
        imp.add(inProcess([&] { commands.importFile(); }));
        message = home.prompts.last;
        if (i == 0)
            std::printf("import result: %s\n", qPrintable(message.simplified()));
    }
    std::printf("import (rewrite + list rebuild):\n");
    print("iconv -f CP932 of both files", iconv);
    print("import", imp);
    ratio("import / iconv", imp.w(), iconv.w(), imp.c(), iconv.c());
    return 0;
}

int benchUpdate(const QString &file, int runs)
{
    Home home(file);
    RecipeListWindow &w = *home.window;
    w.rebuildList();
    const int middle = w.list()->count() / 2;
    w.list()->setCurrentRow(middle);
    w.runCommand(0);
    const int lineIndex = w.form().shownRecordNo + 3; // four metadata lines, header = 1
    Series update;
    for (int i = 0; i < runs; ++i) {
        w.form().Txt_biko[0] = QString::number(i % 9 + 1);
        update.add(inProcess([&] { w.runCommand(2); }));
        if (w.form().shownRecordNo < 0)
            std::printf("update refused: %s\n", qPrintable(home.prompts.last));
    }
    // The Python script times each of its runs itself (its start-up is not
    // part of an update).
    QTemporaryDir pyDir;
    const QString pyFile = pyDir.path() + u"/r.csv"_s;
    QFile::copy(file, pyFile);
    QByteArray out;
    child(python(),
          {benchDir() + u"baseline_update.py"_s, pyFile, QString::number(lineIndex),
           QString::number(runs)},
          &out);
    QList<double> py, pyCpu;
    for (const QByteArray &line : out.split('\n')) {
        const QList<QByteArray> t = line.split(' ');
        if (t.size() == 2) {
            py.append(t.at(0).toDouble());
            pyCpu.append(t.at(1).toDouble());
        }
    }
    std::printf("update of one recipe (rewrite, fsync, list rebuild), %d runs:\n", runs);
    const auto row = [](const char *name, const QList<double> &wall, const QList<double> &cpu) {
        std::printf("  %-34s p50 %7.1f ms  p95 %7.1f ms wall; p50 %7.1f ms  p95 %7.1f ms cpu\n",
                    name, percentile(wall, 0.5), percentile(wall, 0.95), percentile(cpu, 0.5),
                    percentile(cpu, 0.95));
    };
    row("python read-replace-write-reparse", py, pyCpu);
    row("update", update.wall, update.cpu);
    ratio("update / python (p50)", percentile(update.wall, 0.5), percentile(py, 0.5),
          percentile(update.cpu, 0.5), percentile(pyCpu, 0.5));
    ratio("update / python (p95)", percentile(update.wall, 0.95), percentile(py, 0.95),
          percentile(update.cpu, 0.95), percentile(pyCpu, 0.95));
    return 0;
}

// A recipe text as pasted from a page, repeated to the size wanted.
QByteArray recipeText(qsizetype bytes)
{
    const QByteArray one = u"肉じゃが\r\n"
                           u"材料（2人分）\r\n"
                           u"牛こま切れ肉　150g\r\n"
                           u"じゃがいも　3個、玉ねぎ　1個\r\n"
                           u"作り方\r\n"
                           u"1. じゃがいもは皮をむいて一口大に切り、水にさらす。\r\n"
                           u"2. 鍋に油を熱し、牛肉を炒める。\r\n"
                           u"3. 玉ねぎとじゃがいもを加え、だしと調味料で煮る。\r\n"
                           u"ポイント\r\n"
                           u"エネルギー 350KCAL　塩分 2.1g　調理時間：約30分\r\n"_s.toUtf8();
    QByteArray text;
    text.reserve(bytes + one.size());
    while (text.size() < bytes)
        text += one;
    return text;
}

int benchAnalyse(double mb, int runs)
{
    QTemporaryDir dir;
    const QString vocabulary = dir.filePath(VocabularyFile::fileName);
    VocabularyFile::writeVocabularyFile(vocabulary);
    const EntryLists lists = EntryLists::fromVocabulary(vocabulary);
    // What --analyse does after reading the file.
    const auto analyse = [&](const QByteArray &bytes) {
        const QString text = AnalyseCommand::decodeText(bytes);
        AnalyseCommand::isText(text);
        const RecipeRecord r = AnalysedRecipe::analyse(text, QString(), lists);
        return RecipeExport::exportText(r).size();
    };
    const QByteArray small = recipeText(qsizetype(mb * 1024 * 1024));
    const QByteArray large = recipeText(qsizetype(4 * mb * 1024 * 1024));
    // The speed of this machine drifts by a fifth within seconds, and a large
    // run lasts four small ones: compared with one small run, it meets more
    // of the drift. So each round times a large run between two pairs of
    // small runs, which together see the machine as long and around the same
    // moment; the round's figure is the large run over the mean small one.
    Series s, l;
    QList<double> perRound, perRoundCpu;
    for (int i = 0; i < runs; ++i) {
        Time before[2], after[2];
        for (Time &t : before)
            t = inProcess([&] { analyse(small); });
        const Time big = inProcess([&] { analyse(large); });
        for (Time &t : after)
            t = inProcess([&] { analyse(small); });
        double wall = 0, cpu = 0;
        for (const Time &t : {before[0], before[1], after[0], after[1]}) {
            s.add(t);
            wall += t.wall / 4;
            cpu += t.cpu / 4;
        }
        l.add(big);
        perRound.append(big.wall / wall);
        perRoundCpu.append(big.cpu / cpu);
    }
    std::printf("analysis of %.0f MB and %.0f MB of recipe text (UTF-8), %d rounds:\n", mb, 4 * mb,
                runs);
    print("small", s);
    print("large (4x the text)", l);
    ratio("large / small, medians", l.w(), s.w(), l.c(), s.c());
    std::printf("  %-34s %6.2fx wall %6.2fx cpu\n", "large / small, median of rounds",
                median(perRound), median(perRoundCpu));
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList a = app.arguments().mid(1);
    const QString mode = a.value(0);
    if (mode == u"list"_s && a.size() >= 2)
        return benchList(a.at(1), a.value(2, u"5"_s).toInt());
    if (mode == u"import"_s && a.size() >= 3)
        return benchImport(a.at(1), a.at(2), a.value(3, u"5"_s).toInt());
    if (mode == u"update"_s && a.size() >= 2)
        return benchUpdate(a.at(1), a.value(2, u"20"_s).toInt());
    if (mode == u"analyse"_s && a.size() >= 2)
        return benchAnalyse(a.at(1).toDouble(), a.value(2, u"5"_s).toInt());
    std::fprintf(stderr, "usage: bench_speed list|import|update|analyse ...\n");
    return 2;
}
