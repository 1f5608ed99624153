#include "print/printjob.h"

#include "platform/prompts.h"
#include "print/alignmentsheet.h"
#include "print/engine/drawsurface.h"
#include "print/engine/pagelayout.h"
#include "print/engine/sheetmarks.h"
#include "print/nextsheetprompt.h"
#include "print/printprogress.h"

#include <QDir>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// Every loop gives up at these page numbers, whatever the composer says.
constexpr int lastPage = 10000;
constexpr int lastFourUpPage = 1000;

} // namespace

const QString PrintJob::unsupportedMessage = u"まだ印刷できません、要望があったら作ります(^^;"_s;

QString PrintJob::deviceFailureMessage(const QString &outputName)
{
    return u"印刷を開始できませんでした。\r\n出力先: %1"_s.arg(
        outputName.isEmpty() ? u"(不明)"_s : QDir::toNativeSeparators(outputName));
}

QString PrintJob::unfitMessage(const QList<UnfitRecipe> &unfit)
{
    constexpr qsizetype namesShown = 10;
    QString text = u"次のレシピは用紙に収まりきらず、はみ出した部分が印刷されていません。\r\n"
                   u"文章を短くするか、別の印刷形式を選んでください。\r\n"_s;
    for (qsizetype i = 0; i < unfit.size() && i < namesShown; ++i) {
        const QString &name = unfit.at(i).name;
        text += u"\r\n・"_s + (name.trimmed().isEmpty() ? u"(料理名なし)"_s : name);
    }
    if (unfit.size() > namesShown)
        text += u"\r\nほか %1 件 (全 %2 件)"_s.arg(unfit.size() - namesShown).arg(unfit.size());
    return text;
}

bool PrintJob::hasLoop(bool fourUpPaper, int arrangement)
{
    if (fourUpPaper)
        return arrangement == int(SheetArrangement::FourUp);
    return arrangement >= int(SheetArrangement::Front) &&
           arrangement <= int(SheetArrangement::Folded);
}

Strip PrintJob::frontStrip(const PageLayout &layout)
{
    return {double(layout.LEFT), double(layout.WIDTH)};
}

Strip PrintJob::backStrip(const PageLayout &layout)
{
    // Turned over, the binding margin is on the other side.
    return {0, double(layout.WIDTH - layout.LEFT)};
}

std::array<Strip, 2> PrintJob::a4DuplexStrips(const PageLayout &layout, double printableWidth)
{
    const double w = layout.WIDTH - layout.LEFT;
    // Halves go to the even neighbour, as the default rounding mode does.
    return {Strip{std::nearbyint(printableWidth - w), std::nearbyint(printableWidth)},
            Strip{0, std::nearbyint(w)}};
}

std::array<Strip, 2> PrintJob::foldedStrips(const PageLayout &layout)
{
    const double left = layout.LEFT;
    const double width = layout.WIDTH;
    return {Strip{left, width}, Strip{width + 2, 2 * width - left + 2}};
}

std::array<Strip, 4> PrintJob::fourUpStrips()
{
    return {Strip{0, 70}, Strip{73, 142}, Strip{146, 204}, Strip{218, 289}};
}

PrintRunResult PrintJob::run(const PrintJobInput &input)
{
    m_input = input;
    m_result = PrintRunResult();
    m_surface.setScaleMode(6);
    if (!hasLoop(input.fourUpPaper, input.arrangement)) {
        m_result.unsupported = true;
        m_prompts.message(unsupportedMessage, Prompts::Icon::Exclamation);
    } else {
        switch (SheetArrangement(input.arrangement)) {
        case SheetArrangement::Front:
            runFrontOnly();
            break;
        case SheetArrangement::FrontBack:
            runAlternating(true);
            break;
        case SheetArrangement::BackFront:
            runAlternating(false);
            break;
        case SheetArrangement::A4Duplex:
            runA4Duplex();
            break;
        case SheetArrangement::Folded:
            runFolded();
            break;
        case SheetArrangement::FourUp:
            runFourUp();
            break;
        }
    }
    endRun();
    if (m_result.error.isEmpty() && !m_result.unfit.isEmpty())
        m_prompts.message(unfitMessage(m_result.unfit), Prompts::Icon::Exclamation);
    return m_result;
}

void PrintJob::endRun()
{
    m_surface.finishPrintJob();
    m_surface.setSheetOffset({});
    m_result.stopped = m_prompt.stopped();
    if (!m_result.error.isEmpty())
        m_prompts.message(m_result.error, Prompts::Icon::Exclamation);
}

PrintRunResult PrintJob::runAlignmentSheet(const PrintJobInput &input)
{
    m_input = input;
    m_result = PrintRunResult();
    m_surface.setScaleMode(6);
    for (const bool back : {false, true}) {
        if (back && !m_prompt(1))
            break;
        if (!beginSheet(1, back))
            break;
        AlignmentSheet::drawSide(m_surface, m_layout, input.paperNumber, back);
        m_surface.finishSheet();
    }
    endRun();
    return m_result;
}

bool PrintJob::beginSheet(int page, bool back)
{
    ++m_result.sheets;
    m_surface.setSheetOffset(LayoutSettings::alignmentOffsetMm(m_layout, back));
    if (m_progress)
        m_progress->sheetStarted(m_result.sheets, page);
    m_surface.beginSheet();
    // A printer that cannot open its document would swallow every sheet
    // without a word; the run ends here instead.
    if (!m_surface.previewMode && m_surface.printerTarget()->failed()) {
        m_result.deviceFailed = true;
        m_result.error = deviceFailureMessage(m_input.outputName);
        return false;
    }
    return true;
}

bool PrintJob::compose(int page, Strip strip, bool &done, bool continuation)
{
    PageRequest request;
    request.layoutType = m_input.layoutType;
    request.page = page;
    request.left = strip.left;
    request.right = strip.right;
    request.startRecord = m_input.startRecord;
    request.categoryLabel = m_input.categoryLabel;
    request.continuationAllowed = continuation;
    request.recipeFile = m_input.recipeFile;
    request.programFolder = m_input.programFolder;
    const PageResult result = m_composer.composeRecipePage(request);
    done = result.done;
    for (const UnfitRecipe &recipe : result.unfit) {
        if (!m_result.unfit.contains(recipe))
            m_result.unfit.append(recipe);
    }
    if (!result.error.isEmpty()) {
        m_result.error = result.error;
        return false;
    }
    return true;
}

void PrintJob::runFrontOnly()
{
    for (int t = 1; t <= lastPage; ++t) {
        bool done = false;
        // Only here may a long recipe carry on over the back of its sheet.
        if (!beginSheet(t) || !compose(t, frontStrip(m_layout), done, true))
            return;
        m_surface.finishSheet();
        if (done || !m_prompt(2))
            return;
    }
}

void PrintJob::runAlternating(bool frontFirst)
{
    for (int t = 1; t <= lastPage; ++t) {
        const bool front = (t % 2 == 1) == frontFirst;
        bool done = false;
        if (!beginSheet(t, !front) ||
            !compose(t, front ? frontStrip(m_layout) : backStrip(m_layout), done))
            return;
        m_surface.finishSheet();
        // After a front the same sheet goes in again; after a back a new one.
        if (done || !m_prompt(front ? 1 : 0))
            return;
    }
}

void PrintJob::runA4Duplex()
{
    const auto [outer, inner] = a4DuplexStrips(m_layout, m_surface.getPrintableWidth(m_layout));
    for (int t = 1; t <= lastPage; t += 4) {
        if (t != 1 && !m_prompt(0))
            return;
        bool d1 = false;
        bool d2 = false;
        bool d3 = false;
        bool d4 = false;
        if (!beginSheet(t))
            return;
        m_surface.previewGuide = 0;
        if (!compose(t, outer, d1) || (!d1 && !compose(t + 3, inner, d4)))
            return;
        SheetMarks::drawSheetMarks(m_surface, m_layout, m_input.paperNumber, 0);
        m_surface.finishSheet();
        if (d1 || !m_prompt(1))
            return;
        if (!beginSheet(t + 1, true))
            return;
        m_surface.previewGuide = 0;
        if (!compose(t + 1, inner, d2) || (!d2 && !compose(t + 2, outer, d3)))
            return;
        m_surface.finishSheet();
        if (d2 || d3 || d4)
            return;
    }
}

void PrintJob::runFolded()
{
    const auto [first, second] = foldedStrips(m_layout);
    for (int t = 1; t <= lastPage; t += 2) {
        bool d1 = false;
        bool d2 = false;
        if (!beginSheet(t))
            return;
        m_surface.previewGuide = 0;
        if (!compose(t, first, d1) || !compose(t + 1, second, d2))
            return;
        SheetMarks::drawSheetMarks(m_surface, m_layout, m_input.paperNumber, 5);
        m_surface.finishSheet();
        if (d1 || d2 || !m_prompt(0))
            return;
    }
}

void PrintJob::runFourUp()
{
    const std::array<Strip, 4> strips = fourUpStrips();
    for (int t = 1; t <= lastFourUpPage; t += 4) {
        if (!beginSheet(t))
            return;
        m_surface.previewGuide = 0;
        bool anyDone = false;
        for (int i = 0; i < 4; ++i) {
            bool done = false;
            if (!compose(t + i, strips[std::size_t(i)], done))
                return;
            anyDone = anyDone || done;
        }
        m_surface.finishSheet();
        if (anyDone || !m_prompt(2))
            return;
    }
}
