// Prints generated recipe files to PDF, one page per sheet as the one-sided
// run does, and reports the time per file size: a run must cost time in
// proportion to its length.
//
//   bench_composer [--fresh] [--layout N] [SMALL LARGE [RUNS]]
//
// Defaults: layouts 1 and 7, 1000 and 2000 recipes, 3 runs.
//
// Each size is printed RUNS times, and short runs until 3 s have passed;
// the fastest run counts, as the machine may be busy with other work. The
// processor time of the run is given too: on a busy machine it varies far
// less than the time on the clock.
// --fresh composes every page with a new composer, that is, counting the
// pages from the file's first line every time, for comparison.

#include "samplerecipes.h"

#include "print/engine/drawsurface.h"
#include "print/engine/fontsubstitutions.h"
#include "print/engine/pagelayout.h"
#include "print/engine/previewtarget.h"
#include "print/engine/printertarget.h"
#include "print/recipepagecomposer.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTextStream>

#include <memory>

#include <time.h>

using namespace Qt::StringLiterals;

namespace {

struct Run
{
    int pages = 0;
    qint64 ms = 0;
    qint64 cpuMs = 0;
};

qint64 processorMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
}

Run print(const QString &folder, const QString &recipes, int layoutType, bool fresh)
{
    // The Bible refill with its default settings.
    const PageLayout layout = SampleRecipes::defaultLayout(folder, 0);
    auto printer = PrinterTarget::makePdfPrinter(folder + u"/run.pdf"_s);
    PrinterTarget pdf(printer.get(), layout.YOHAKU);
    PreviewTarget preview(1240);
    DrawSurface s(&pdf, &preview);
    s.hooks.processEvents = {};
    s.docPerSheet = 0;
    const auto prompt = [](int) { return true; };
    auto composer = std::make_unique<RecipePageComposer>(s, layout, prompt);
    QElapsedTimer timer;
    timer.start();
    const qint64 cpuStart = processorMs();
    Run run;
    for (int page = 1; page <= 10000; ++page) {
        if (fresh)
            composer = std::make_unique<RecipePageComposer>(s, layout, prompt);
        s.beginSheet();
        PageRequest r;
        r.layoutType = layoutType;
        r.page = page;
        r.left = layout.LEFT;
        r.right = layout.WIDTH;
        r.categoryLabel = u"全て"_s;
        r.continuationAllowed = true;
        r.recipeFile = recipes;
        r.programFolder = folder;
        const PageResult result = composer->composeRecipePage(r);
        s.finishSheet();
        run.pages = page;
        if (result.done || !result.error.isEmpty())
            break;
    }
    s.finishPrintJob();
    run.ms = timer.elapsed();
    run.cpuMs = processorMs() - cpuStart;
    return run;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const bool fresh = args.removeAll(u"--fresh"_s) > 0;
    QList<int> layouts{1, 7};
    if (const qsizetype at = args.indexOf(u"--layout"_s); at >= 0 && at + 1 < args.size()) {
        layouts = {args[at + 1].toInt()};
        args.remove(at, 2);
    }
    const int small = args.size() > 0 ? args[0].toInt() : 1000;
    const int large = args.size() > 1 ? args[1].toInt() : 2000;
    const int repeats = args.size() > 2 ? std::max(1, args[2].toInt()) : 3;
    installFontSubstitutions();
    QTemporaryDir dir;
    qputenv("QVRECIPE_HOME", QFile::encodeName(dir.path()));
    QTextStream out(stdout);
    for (int layoutType : std::as_const(layouts)) {
        Run runs[2];
        for (int i = 0; i < 2; ++i) {
            const int count = i == 0 ? small : large;
            const QString file = dir.filePath(u"recipes%1.csv"_s.arg(count));
            if (!QFile::exists(file))
                SampleRecipes::writeGenerated(file, count);
            qint64 spent = 0;
            for (int k = 0; k < repeats || spent < 3000; ++k) {
                const Run run = print(dir.path(), file, layoutType, fresh);
                spent += run.ms;
                runs[i].pages = run.pages;
                runs[i].ms = k == 0 ? run.ms : std::min(runs[i].ms, run.ms);
                runs[i].cpuMs = k == 0 ? run.cpuMs : std::min(runs[i].cpuMs, run.cpuMs);
            }
            out << "layout " << layoutType << ", " << count << " recipes: " << runs[i].pages
                << " pages in " << runs[i].ms << " ms ("
                << QString::number(runs[i].pages * 1000.0 / std::max<qint64>(1, runs[i].ms), 'f', 1)
                << " pages/s), processor " << runs[i].cpuMs << " ms" << Qt::endl;
        }
        out << "layout " << layoutType << ": time(" << large << ") / time(" << small << ") = "
            << QString::number(double(runs[1].ms) / std::max<qint64>(1, runs[0].ms), 'f', 2)
            << ", processor time "
            << QString::number(double(runs[1].cpuMs) / std::max<qint64>(1, runs[0].cpuMs), 'f', 2)
            << Qt::endl;
    }
    return 0;
}
