// Composes recipe pages in every print layout to PDF and to preview
// pictures, for looking at them; the tests check the geometry.
//
//   qv_pagedemo OUTPUT_FOLDER [PAPER_NUMBER]
//
// Writes layout1.pdf ... layout7.pdf (one page per sheet, overflow on the
// back), layoutN-preview-M.png for the first pages, and sheet.pdf: two
// pages of layout 1 on one sheet with the cut lines and punch holes.

#include "samplerecipes.h"

#include "print/engine/drawsurface.h"
#include "print/engine/fontsubstitutions.h"
#include "print/engine/pagelayout.h"
#include "print/engine/previewtarget.h"
#include "print/engine/printertarget.h"
#include "print/engine/sheetmarks.h"
#include "print/recipepagecomposer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QTextStream>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

constexpr int maxPages = 12;

PageRequest request(const QString &out, int layoutType, int page, double left, double right)
{
    PageRequest r;
    r.layoutType = layoutType;
    r.page = page;
    r.left = left;
    r.right = right;
    r.categoryLabel = u"全て"_s;
    r.recipeFile = out + u"/recipes.csv"_s;
    r.programFolder = out;
    return r;
}

// One page per sheet, as the single-sided run does.
int printLayout(const QString &out, const PageLayout &layout, int layoutType)
{
    auto printer = PrinterTarget::makePdfPrinter(out + u"/layout%1.pdf"_s.arg(layoutType));
    PrinterTarget pdf(printer.get(), layout.YOHAKU);
    PreviewTarget preview(1240);
    DrawSurface s(&pdf, &preview);
    s.docPerSheet = 0;
    RecipePageComposer composer(s, layout, [](int) { return true; });
    int page = 1;
    for (; page <= maxPages; ++page) {
        s.beginSheet();
        PageRequest r = request(out, layoutType, page, layout.LEFT, layout.WIDTH);
        r.continuationAllowed = true;
        const PageResult result = composer.composeRecipePage(r);
        s.finishSheet();
        if (!result.error.isEmpty()) {
            QTextStream(stderr) << result.error << '\n';
            return page;
        }
        if (result.done)
            break;
    }
    s.finishPrintJob();
    return page;
}

void previewLayout(const QString &out, const PageLayout &layout, int layoutType, int pages)
{
    auto printer = PrinterTarget::makePdfPrinter(out + u"/unused.pdf"_s);
    PrinterTarget pdf(printer.get(), layout.YOHAKU);
    PreviewTarget preview(1240);
    DrawSurface s(&pdf, &preview);
    s.previewMode = 1;
    int shown = 0;
    s.hooks.showPreview = [&] {
        preview.image().save(out + u"/layout%1-preview-%2.png"_s.arg(layoutType).arg(++shown));
    };
    RecipePageComposer composer(s, layout, [](int) { return true; });
    for (int page = 1; page <= pages; ++page) {
        s.beginSheet();
        PageRequest r = request(out, layoutType, page, layout.LEFT, layout.WIDTH);
        r.continuationAllowed = true;
        const bool done = composer.composeRecipePage(r).done;
        s.finishSheet();
        if (done)
            break;
    }
}

// The front of a booklet sheet: the outer and the inner page with the marks.
void printSheet(const QString &out, const PageLayout &layout, int paper)
{
    auto printer = PrinterTarget::makePdfPrinter(out + u"/sheet.pdf"_s);
    PrinterTarget pdf(printer.get(), layout.YOHAKU);
    PreviewTarget preview(1240);
    DrawSurface s(&pdf, &preview);
    RecipePageComposer composer(s, layout, [](int) { return true; });
    const double p = s.getPrintableWidth(layout);
    const double w = layout.WIDTH - layout.LEFT;
    s.beginSheet();
    composer.composeRecipePage(request(out, 1, 1, std::nearbyint(p - w), std::nearbyint(p)));
    composer.composeRecipePage(request(out, 1, 4, 0, w));
    SheetMarks::drawSheetMarks(s, layout, paper, 0);
    s.finishSheet();
    s.finishPrintJob();
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QString out =
        QDir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath()).absolutePath();
    const int paper = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 0;
    QDir().mkpath(out + u"/pic"_s);
    qputenv("QVRECIPE_HOME", QFile::encodeName(out));
    installFontSubstitutions();

    const PageLayout layout = SampleRecipes::defaultLayout(out, paper);
    if (!SampleRecipes::writeShowcase(out + u"/recipes.csv"_s, 40)) {
        QTextStream(stderr) << "cannot write " << out << "/recipes.csv\n";
        return 1;
    }

    QTextStream text(stdout);
    for (int t = 1; t <= 7; ++t) {
        QElapsedTimer timer;
        timer.start();
        const int pages = printLayout(out, layout, t);
        text << "layout " << t << ": " << pages << " pages, " << timer.elapsed() << " ms\n";
        previewLayout(out, layout, t, 2);
    }
    printSheet(out, layout, paper);
    QFile::remove(out + u"/unused.pdf"_s);
    return 0;
}
