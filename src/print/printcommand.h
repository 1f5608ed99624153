#pragma once

#include "print/printjob.h"
#include "print/printoptions.h"

class QTextStream;

// Printing without windows, for scripts ("--print-pdf OUT.pdf ...", "--print
// PRINTER ..."; the program's command line reads the options). The same job
// as the print button, with no prompts between sheets and the whole run as
// one document. Needs a QGuiApplication.
namespace PrintCommand {

// Where the program keeps its settings and files.
struct Context
{
    QString programDir;   // ends in "/"
    QString settingsPath; // programDir + program name + ".ini"
    QString programName;  // the settings file's main section
};

// Exit status: 0 printed, 1 the run failed (nothing left behind for a PDF).
int run(const PrintOptions &o, const Context &context, const PageComposerFactory &composer,
        QTextStream &out, QTextStream &err);

} // namespace PrintCommand
