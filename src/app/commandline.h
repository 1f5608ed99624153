#pragma once

#include "print/printoptions.h"

#include <QString>
#include <QStringList>

// The program's command line: which of its uses the arguments ask for, and
// the texts of --help, --version and a wrong command line. Every option the
// program knows is listed once, in commandline.cpp.
namespace CommandLine {

enum class Action {
    OpenWindow, // no option, or "/clip": the windows (the frame reads "/clip")
    Help,       // --help, -h: the help text on standard output, exit 0
    Version,    // --version: program name and version, exit 0
    Analyse,    // --analyse FILE: analyseFile for the analysis command
    Print,      // --print-pdf OUT.pdf / --print PRINTER ...: print for the print command
    Wrong,      // an unknown or misplaced option: problem and usage on standard error, exit 2
};

struct Request
{
    Action action = Action::OpenWindow;
    QString problem; // for Wrong: what is wrong, in Japanese
    QString analyseFile;
    PrintOptions print;

    bool operator==(const Request &) const = default;
};

// args without the program name. Qt's own options (-platform, -style,
// -display ...) are left for Qt.
Request parse(const QStringList &args);

// program: the name the program was started as ("qvrecipe", "QVRECIPE").
QString helpText(const QString &program);
QString usageText(const QString &program);
QString versionText();

// Exit status for a wrong command line.
inline constexpr int wrongUsageStatus = 2;

} // namespace CommandLine
