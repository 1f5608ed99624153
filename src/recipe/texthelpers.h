#pragma once

#include <QString>
#include <QStringList>

// Small text and path helpers shared by the recipe code and the windows.
// Path helpers accept both "\" and "/" as separators.
namespace TextHelpers {

// Replaces every occurrence left to right; a replacement that contains the
// find text is not replaced again.
QString replaceAll(const QString &text, const QString &find, const QString &replacement);

// Removes blanks (U+0020) at both ends. Unlike QString::trimmed it keeps
// the ideographic space and TAB, which are part of the text in recipe files.
QString trimBlanks(const QString &text);
QStringView trimBlanks(QStringView text);

// Every run of c becomes one c; a run at the very end is removed.
QString squeezeChar(const QString &text, QChar c);

QString fileNamePart(const QString &path);
QString extensionPart(const QString &path);
QString folderPart(const QString &path);

// Empty for a blank name; otherwise the name of the first file matching it
// (relative names are looked up in the program folder), or empty when none.
QString fileExists(const QString &name);

enum class SplitMode {
    Lines = 0,      // CR LF
    Paragraphs = 1, // blank lines
    EncodedLines = 2,
    QuotedFields = 3,
    PlainFields = 4,
};
QStringList splitText(int mode, const QString &text);

// Elements joined by CR LF (no CR LF after the last).
QString joinLines(const QStringList &lines);

// A plain decimal number such as a number of servings (full-width digits
// count); "inf" or "nan" are words.
bool isNumber(const QString &text);

} // namespace TextHelpers
