#pragma once

#include "print/printjob.h"

#include <QStringList>

class QTextStream;

// Printing without windows, for scripts:
//   QVRECIPE --print-pdf OUT.pdf [options] [RECIPEFILE]
//   QVRECIPE --print PRINTERNAME [options] [RECIPEFILE]
// Options: --layout 1..7, --arrangement 0..5, --paper 0..24, --from N.
// The same job as the print button, with no prompts between sheets and the
// whole run as one document. Needs a QGuiApplication.
namespace PrintCommand {

bool isRequested(const QStringList &args);

// Where the program keeps its settings and files.
struct Context
{
    QString programDir;   // ends in "/"
    QString settingsPath; // programDir + program name + ".ini"
    QString programName;  // the settings file's main section
};

// Exit status: 0 printed, 1 the run failed (nothing left behind for a PDF),
// 2 the command line is wrong.
int run(const QStringList &args, const Context &context, const PageComposerFactory &composer,
        QTextStream &out, QTextStream &err);

} // namespace PrintCommand
