// Prints generated recipe files to PDF, one page per sheet as the one-sided
// run does, and reports the time per file size: a run must cost time in
// proportion to its length.
//
//   bench_composer [--fresh] [--layout N] [SMALL LARGE [RUNS]]
//
// Defaults: layouts 1 and 7, 1000 and 2000 recipes, 3 runs.
//
// Each size is printed RUNS times, and short runs until 3 s have passed;
// the fastest run counts, as the machine may be busy with other work.
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

using namespace Qt::StringLiterals;

namespace {

PageLayout bibleLayout()
{
    PageLayout l;
    l.YOHAKU = 3;
    l.KAZARI = 1;
    l.ANAAKE = 1;
    l.AMIKAKE_COLOR = 0xEEEEEE;
    l.LEFT = 8;
    l.WIDTH = 88;
    l.HEAD_HEIGHT = 4;
    l.DATA_HEIGHT = 9;
    l.FOOT_HEIGHT = 156;
    l.footHeightSaved = 156;
    l.usableHeight = 167;
    l.HEAD_FONTNAME = u"ＭＳ ゴシック"_s;
    l.DEFAULT_FONTNAME = u"ＭＳ ゴシック"_s;
    l.DATA_FONTNAME = u"ＭＳ 明朝"_s;
    l.HEAD_FONTSIZE = 12;
    l.DEFAULT_FONTSIZE = 9;
    l.DATA_FONTSIZE = 9;
    return l;
}

struct Run
{
    int pages = 0;
    qint64 ms = 0;
};

Run print(const QString &folder, const QString &recipes, int layoutType, bool fresh)
{
    const PageLayout layout = bibleLayout();
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
                if (k == 0 || run.ms < runs[i].ms)
                    runs[i] = run;
            }
            out << "layout " << layoutType << ", " << count << " recipes: " << runs[i].pages
                << " pages in " << runs[i].ms << " ms ("
                << QString::number(runs[i].pages * 1000.0 / std::max<qint64>(1, runs[i].ms), 'f', 1)
                << " pages/s)" << Qt::endl;
        }
        out << "layout " << layoutType << ": time(" << large << ") / time(" << small << ") = "
            << QString::number(double(runs[1].ms) / std::max<qint64>(1, runs[0].ms), 'f', 2)
            << Qt::endl;
    }
    return 0;
}
