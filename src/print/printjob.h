#pragma once

#include "print/pagecomposer.h"

#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

class DrawSurface;
class NextSheetPrompt;
class PrintProgress;
class Prompts;
struct PageLayout;

// The sheet arrangements of the list window's Cmb_men, in list order.
enum class SheetArrangement {
    Front = 0,     // "表": one page per sheet, front only
    FrontBack = 1, // "表裏交互"
    BackFront = 2, // "裏表交互"
    A4Duplex = 3,  // "A4 両面": four pages per sheet in booklet order
    Folded = 4,    // "２つ折り": two pages side by side
    FourUp = 5,    // "超整理手帳": four pages side by side on four-up paper
};

// Everything a print run needs to know, gathered by whoever starts it.
struct PrintJobInput
{
    int layoutType = 1;  // 1..7
    int arrangement = 0; // SheetArrangement
    bool fourUpPaper = false;
    int paperNumber = 0;  // cut lines and holes of the sheet marks
    int startRecord = -1; // -1, or the record number printing starts at
    QString categoryLabel;
    QString recipeFile;
    QString programFolder;
    bool showPrintConfirm = true;
    QString outputName; // the printer or the PDF file, for messages
};

// A horizontal strip of the sheet a page is drawn into, millimetres.
struct Strip
{
    double left = 0;
    double right = 0;
    bool operator==(const Strip &) const = default;
};

struct PrintRunResult
{
    int sheets = 0;           // sides of paper started
    bool unsupported = false; // no loop for this paper and arrangement; nothing printed
    bool stopped = false;     // the user ended the run at a prompt or in the progress window
    bool deviceFailed = false;
    QString error;              // not empty: the run was abandoned; the message was shown
    QList<UnfitRecipe> unfit{}; // recipes that did not fit completely, in print order
};

using PageComposerFactory = std::function<std::unique_ptr<PageComposer>(
    DrawSurface &, const PageLayout &, PageComposer::SheetPrompt)>;

// The print job: walks the pages of a run sheet by sheet in the chosen
// arrangement, lets the composer draw each page into its strip, marks the
// sheets and asks for the paper in between.
class PrintJob
{
public:
    PrintJob(DrawSurface &surface, const PageLayout &layout, PageComposer &composer,
             NextSheetPrompt &prompt, Prompts &prompts, PrintProgress *progress = nullptr)
        : m_surface(surface), m_layout(layout), m_composer(composer), m_prompt(prompt),
          m_prompts(prompts), m_progress(progress)
    {}

    // Runs every sheet, then ends the print job on the surface. Failures are
    // shown through the prompts and returned.
    PrintRunResult run(const PrintJobInput &input);
    // Prints the alignment sheet of the input's paper, front and back.
    PrintRunResult runAlignmentSheet(const PrintJobInput &input);

    // On ordinary paper positions 0 to 4 have loops, on four-up paper only 5.
    static bool hasLoop(bool fourUpPaper, int arrangement);
    static const QString unsupportedMessage;
    // What a device that refuses to print says.
    static QString deviceFailureMessage(const QString &outputName);
    // The one message at the end of a run naming what did not fit.
    static QString unfitMessage(const QList<UnfitRecipe> &unfit);

    static Strip frontStrip(const PageLayout &layout);
    static Strip backStrip(const PageLayout &layout);
    // Outer and inner strip of "A4 両面" for a printable width.
    static std::array<Strip, 2> a4DuplexStrips(const PageLayout &layout, double printableWidth);
    static std::array<Strip, 2> foldedStrips(const PageLayout &layout);
    static std::array<Strip, 4> fourUpStrips();

private:
    // Opens a sheet; back: the side printed after turning the paper over,
    // which has its own alignment.
    bool beginSheet(int page, bool back = false);
    void endRun();
    // Composes one page; false when the run must be abandoned.
    bool compose(int page, Strip strip, bool &done, bool continuation = false);
    void runFrontOnly();
    void runAlternating(bool frontFirst);
    void runA4Duplex();
    void runFolded();
    void runFourUp();

    DrawSurface &m_surface;
    const PageLayout &m_layout;
    PageComposer &m_composer;
    NextSheetPrompt &m_prompt;
    Prompts &m_prompts;
    PrintProgress *m_progress;

    PrintJobInput m_input;
    PrintRunResult m_result;
};
