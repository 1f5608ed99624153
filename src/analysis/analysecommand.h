#pragma once

#include <QString>

class Clock;
class QTextStream;

// "QVRECIPE --analyse FILE": analyses a recipe text file as the clipboard
// analysis would and prints the resulting recipe in the export layout,
// without any window or program folder.
namespace AnalyseCommand {

// Returns the process exit status: 0 after printing the recipe, 1 with a
// message on err when the file cannot be read or holds no recipe text.
int run(const QString &path, QTextStream &out, QTextStream &err, const Clock &clock);

// The largest file analysed: far more than the fields of any recipe hold.
constexpr qint64 maxInputBytes = 4 * 1024 * 1024;

// Decodes a text file: UTF-16 with its byte-order mark, UTF-8 with or
// without one, else CP932.
QString decodeText(const QByteArray &bytes);

// Decoded text that holds no NUL and few undecodable or control characters.
bool isText(const QString &text);

// The text of a file to analyse. When it cannot be read, is too large,
// is no text or holds nothing to analyse, text is null and error says why.
struct Input
{
    QString text;
    QString error;
};
Input readInput(const QString &path);

} // namespace AnalyseCommand

// The command with the system clock, for the program's entry point.
int runAnalyseCommand(const QString &path, QTextStream &out, QTextStream &err);
