#pragma once

#include "print/printjob.h"

class FileDialogs;
class Prompts;
class QWidget;
struct AppState;
struct PageLayout;

// A print run started from a window: the print-run dialog, then the job on
// the printer or the preview with the window disabled, progress shown.
namespace PrintRunner {

// The page composer of every run; the program installs the real one.
void setComposerFactory(PageComposerFactory factory);

// The dialogs a run may open besides its own windows; tests script them.
struct Services
{
    Prompts *prompts = nullptr;
    // Asked for a PDF file when no printer is installed; null: the Qt dialog.
    FileDialogs *dialogs = nullptr;
};

// Runs after the window's own checks. input carries what the window's print
// controls say and the recipe file; the rest comes from the state.
void run(QWidget *window, AppState &state, const Services &services, PrintJobInput input);

// The alignment sheet of a paper with the layout given (the options window's
// values, saved or not), through the same dialog, printer and preview.
void runAlignmentSheet(QWidget *window, AppState &state, const Services &services, int paper,
                       const PageLayout &layout);

// showPrintRunDialog: previewMode and showPrintConfirm as the dialog leaves
// them; docPerSheet comes back through the pointer. Returns printRunChoice.
int showPrintRunDialog(QWidget *mainWindow, AppState &state, int16_t *docPerSheet);

} // namespace PrintRunner
