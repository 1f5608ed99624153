#pragma once

#include <QString>
#include <QStringList>

class Clock;
class QTextStream;

// "QVRECIPE --analyse FILE": analyses a recipe text file as the clipboard
// analysis would and prints the resulting recipe in the export layout,
// without any window or program folder.
namespace AnalyseCommand {

extern const QString option; // "--analyse"

// True when the arguments (without the program name) ask for the command.
bool isRequested(const QStringList &args);

// args without the program name. Returns the process exit status: 0 after
// printing the recipe, non-zero with a message on err when the file cannot
// be read.
int run(const QStringList &args, QTextStream &out, QTextStream &err, const Clock &clock);

// Decodes a text file: UTF-8 with or without a byte-order mark, else CP932.
QString decodeText(const QByteArray &bytes);

} // namespace AnalyseCommand

// The command with the system clock, for the program's entry point.
int runAnalyseCommand(const QStringList &args, QTextStream &out, QTextStream &err);
