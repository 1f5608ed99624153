#include "print/ui/printrunner.h"

#include "app/appstate.h"
#include "platform/filedialogs.h"
#include "platform/printerchoice.h"
#include "platform/prompts.h"
#include "platform/widgets/qtfiledialogs.h"
#include "print/engine/drawsurface.h"
#include "print/engine/previewtarget.h"
#include "print/engine/printertarget.h"
#include "print/nextsheetprompt.h"
#include "print/ui/previewwindow.h"
#include "print/ui/printprogresswindow.h"
#include "print/ui/printrundialog.h"
#include "print/ui/runpointer.h"

#include <QCoreApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPointer>
#include <QPrinter>
#include <QPrinterInfo>

#include <memory>

using namespace Qt::StringLiterals;

namespace PrintRunner {

namespace {

PageComposerFactory &composerFactory()
{
    static PageComposerFactory factory;
    return factory;
}

// The rainbow and pastel cycles go on from run to run.
ColorCodes::Cycles &colorCycles()
{
    static ColorCodes::Cycles cycles;
    return cycles;
}

QString currentPrinterName()
{
    const QStringList installed = QPrinterInfo::availablePrinterNames();
    // A printer chosen earlier that has gone since is no choice any more.
    const QString chosen = PrinterChoice::printerName();
    if (!chosen.isEmpty() && installed.contains(chosen))
        return chosen;
    const QString standard = QPrinterInfo::defaultPrinterName();
    return standard.isEmpty() && !installed.isEmpty() ? installed.front() : standard;
}

// The preview window is made once and kept; it goes with the frame.
PreviewWindow *previewWindow(QWidget *frame, Prompts &prompts)
{
    static QPointer<PreviewWindow> window;
    if (!window)
        window = new PreviewWindow(prompts, frame);
    return window;
}

// Where the sheets go when no printer is installed: a PDF file the user names.
std::unique_ptr<QPrinter> pdfPrinter(QWidget *frame, const Services &services)
{
    QtFileDialogs qtDialogs(frame);
    FileDialogs &dialogs = services.dialogs ? *services.dialogs : qtDialogs;
    FileDialogRequest request;
    request.save = true;
    request.title = u"PDFファイルに印刷"_s;
    request.filter = u"PDF (*.pdf)|*.pdf||"_s;
    request.defaultName = u"recipe.pdf"_s;
    request.defaultExtension = u"pdf"_s;
    const QString path = dialogs.chooseFile(request);
    if (path.isEmpty())
        return nullptr;
    return PrinterTarget::makePdfPrinter(path);
}

void runJob(QWidget *window, AppState &state, const Services &services, PrintJobInput input,
            const PageLayout layout, bool alignmentSheet);

} // namespace

void setComposerFactory(PageComposerFactory factory)
{
    composerFactory() = std::move(factory);
}

int showPrintRunDialog(QWidget *mainWindow, AppState &state, int16_t *docPerSheet)
{
    // The menu's preview switch is the dialog's default; the button pressed
    // sets the switch, so its checkmark always tells how the last run went
    // and what Enter does next time. A cancel changes nothing.
    PrintRunDialog dialog(QPrinterInfo::availablePrinterNames(), currentPrinterName(),
                          state.showPrintConfirm == 1, mainWindow, state.previewMode != 0);
    dialog.exec();
    state.showPrintConfirm = dialog.confirm() ? 1 : 0;
    const int choice = dialog.choice();
    if (choice != 0 && docPerSheet)
        *docPerSheet = dialog.confirm() ? 1 : 0;
    if (choice != 0)
        state.previewMode = choice == 2 ? 1 : 0;
    return choice;
}

void run(QWidget *window, AppState &state, const Services &services, PrintJobInput input)
{
    input.paperNumber = state.paperType;
    runJob(window, state, services, input, state.layout, false);
}

void runAlignmentSheet(QWidget *window, AppState &state, const Services &services, int paper,
                       const PageLayout &layout)
{
    PrintJobInput input;
    input.paperNumber = paper;
    runJob(window, state, services, input, layout, true);
}

namespace {

void runJob(QWidget *window, AppState &state, const Services &services, PrintJobInput input,
            const PageLayout layout, bool alignmentSheet)
{
    Prompts &prompts = *services.prompts;
    QWidget *frame = window->window();
    int16_t docPerSheet = 1;
    const int choice = showPrintRunDialog(frame, state, &docPerSheet);
    if (choice == 0)
        return;
    if (!composerFactory()) {
        prompts.message(u"印刷の部品が組み込まれていません。"_s, Prompts::Icon::Exclamation);
        return;
    }

    std::unique_ptr<QPrinter> printer;
    if (!QPrinterInfo::availablePrinterNames().isEmpty()) {
        const QString printerName = currentPrinterName();
        printer = std::make_unique<QPrinter>(QPrinterInfo::printerInfo(printerName),
                                             QPrinter::HighResolution);
        input.outputName = printerName;
    } else if (choice == 1) {
        printer = pdfPrinter(frame, services);
        if (!printer)
            return;
        input.outputName = printer->outputFileName();
    } else {
        // A preview measures the sheet as the PDF a print would write; nothing is written.
        printer = PrinterTarget::makePdfPrinter(QString());
    }

    // Nothing may change the file, the paper or the layout under the run.
    window->setEnabled(false);
    QMenuBar *menus = nullptr;
    if (auto *mainWindow = qobject_cast<QMainWindow *>(frame))
        menus = mainWindow->menuBar();
    if (menus)
        menus->setEnabled(false);
    RunPointer::busy();
    QCoreApplication::processEvents();

    PrinterTarget printerTarget(printer.get(), layout.YOHAKU);
    PreviewTarget previewTarget(PreviewWindow::pictureWidth, PreviewWindow::sheetWidthMm);
    DrawSurface surface(&printerTarget, &previewTarget);
    surface.previewMode = state.previewMode;
    surface.docPerSheet = docPerSheet;
    surface.colorCycleCounters = colorCycles();

    PrintProgressWindow progress(state.previewMode == 1, frame);
    surface.hooks.showBusy = [] { RunPointer::busy(); };
    surface.hooks.showPreview = [&] {
        PreviewWindow *preview = previewWindow(frame, prompts);
        if (!preview->showSheet(previewTarget.image(), layout, surface.previewGuide))
            progress.requestCancel();
    };

    input.fourUpPaper = layout.fourUpSheet == 1;
    input.programFolder = state.programDir;
    input.showPrintConfirm = state.showPrintConfirm == 1;
    NextSheetPrompt prompt(prompts, input.showPrintConfirm, &progress);
    const std::unique_ptr<PageComposer> composer =
        composerFactory()(surface, layout, std::ref(prompt));
    PrintJob job(surface, layout, *composer, prompt, prompts, &progress);
    if (alignmentSheet)
        job.runAlignmentSheet(input);
    else
        job.run(input);

    colorCycles() = surface.colorCycleCounters;
    progress.hide();
    RunPointer::normal();
    if (menus)
        menus->setEnabled(true);
    window->setEnabled(true);
}

} // namespace

} // namespace PrintRunner
