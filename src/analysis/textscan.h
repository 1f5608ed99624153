#pragma once

#include <QString>

// Scanners and layout helpers of the recipe text analysis.
namespace TextScan {

// The number next to a keyword: after the first prefix found, or else before
// the first suffix found. Lists are comma-separated; a list that is given but
// has no keyword in the text gives empty. An empty allowed set means digits
// and the period.
QString extractNumberNear(const QString &text, const QString &prefixes, const QString &allowed,
                          const QString &suffixes);

// Lines at CR LF. trimEveryLine trims each line; otherwise the indentation
// common to all non-blank lines is removed (an ideographic space counting as
// two blanks) together with trailing blanks.
QString normalizeIndentation(const QString &text, bool trimEveryLine);

// The position of the first CR LF at or after from, or -1.
qsizetype indexOfCrLf(QStringView text, qsizetype from = 0);

// Calls visit(line, first) for every line at CR LF, as splitting would give
// them, without a string for each.
template <typename Visit> void forEachCrLfLine(QStringView text, Visit visit)
{
    qsizetype from = 0;
    for (bool first = true;; first = false) {
        const qsizetype at = indexOfCrLf(text, from);
        if (at < 0) {
            visit(text.sliced(from), first);
            return;
        }
        visit(text.sliced(from, at - from), first);
        from = at + 2;
    }
}

// Removes every CR LF pair at the start and at the end.
QString trimLineBreaks(const QString &text);

} // namespace TextScan
