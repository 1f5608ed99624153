#include "analysis/textscan.h"

#include <QStringList>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QString skipChars = u" :：()[]【】〔〕{}"_s;
const QString crlf = u"\r\n"_s;

// The first keyword of the list (in list order) found in the text, with its
// position; an empty list or no keyword found gives -1.
qsizetype findFirstKeyword(const QString &text, const QString &list, qsizetype &length)
{
    if (list.isEmpty())
        return -1;
    for (const QString &keyword : list.split(u',')) {
        if (keyword.isEmpty())
            continue;
        const qsizetype at = text.indexOf(keyword);
        if (at >= 0) {
            length = keyword.size();
            return at;
        }
    }
    return -1;
}

bool isIndentBlank(QChar c)
{
    return c == u' ' || c == QChar(0x3000);
}

// The width of the leading blanks, an ideographic space counting two;
// chars, when given, receives how many characters they are.
qsizetype indentWidth(QStringView line, qsizetype *chars)
{
    qsizetype n = 0;
    qsizetype width = 0;
    while (n < line.size() && isIndentBlank(line.at(n))) {
        width += line.at(n) == u' ' ? 1 : 2;
        ++n;
    }
    if (chars)
        *chars = n;
    return width;
}

QStringView withoutTrailingBlanks(QStringView line)
{
    qsizetype end = line.size();
    while (end > 0 && isIndentBlank(line.at(end - 1)))
        --end;
    return line.first(end);
}

// An empty result is null, as joining lines gives it.
QString nullIfEmpty(const QString &text)
{
    return text.isEmpty() ? QString() : text;
}

} // namespace

namespace TextScan {

QString extractNumberNear(const QString &text, const QString &prefixes, const QString &allowed,
                          const QString &suffixes)
{
    if (text.isEmpty())
        return {};
    const QString digits = allowed.isEmpty() ? u"0123456789."_s : allowed;
    qsizetype prefixLength = 0;
    qsizetype suffixLength = 0;
    const qsizetype prefixAt = findFirstKeyword(text, prefixes, prefixLength);
    const qsizetype suffixAt = findFirstKeyword(text, suffixes, suffixLength);
    if ((!prefixes.isEmpty() && prefixAt < 0) || (!suffixes.isEmpty() && suffixAt < 0))
        return {};

    QString number;
    if (prefixAt >= 0) {
        for (qsizetype i = prefixAt + prefixLength; i < text.size(); ++i) {
            const QChar c = text.at(i);
            if (skipChars.contains(c))
                continue;
            if (!digits.contains(c))
                break;
            number += c;
        }
        if (!number.isEmpty())
            return number;
    }
    if (suffixAt >= 0) {
        // Collected backwards and turned round once: long digit runs stay linear.
        for (qsizetype i = suffixAt - 1; i >= 0; --i) {
            const QChar c = text.at(i);
            if (skipChars.contains(c))
                continue;
            if (!digits.contains(c))
                break;
            number += c;
        }
        std::reverse(number.begin(), number.end());
    }
    return number;
}

QString normalizeIndentation(const QString &text, bool trimEveryLine)
{
    // Line by line in place of split and join: a long method would otherwise
    // become as many strings as it has lines.
    QString result;
    result.reserve(text.size());
    if (trimEveryLine) {
        forEachCrLfLine(text, [&](QStringView line, bool first) {
            if (!first)
                result += crlf;
            result += line.trimmed();
        });
        return nullIfEmpty(result);
    }
    qsizetype common = -1;
    forEachCrLfLine(text, [&](QStringView line, bool) {
        if (!line.trimmed().isEmpty()) {
            const qsizetype width = indentWidth(line, nullptr);
            common = common < 0 ? width : qMin(common, width);
        }
    });
    if (common < 0)
        return nullIfEmpty(text);
    forEachCrLfLine(text, [&](QStringView line, bool first) {
        if (!first)
            result += crlf;
        if (line.trimmed().isEmpty()) {
            // Blank lines lose the common width in characters, whatever they are.
            result += withoutTrailingBlanks(line.sliced(qMin(common, line.size())));
            return;
        }
        qsizetype chars = 0;
        const qsizetype width = indentWidth(line, &chars);
        result += QString(width - common, u' ');
        result += withoutTrailingBlanks(line.sliced(chars));
    });
    return nullIfEmpty(result);
}

qsizetype indexOfCrLf(QStringView text, qsizetype from)
{
    // A search for the CR alone is much quicker on short lines.
    for (qsizetype at = text.indexOf(u'\r', from); at >= 0; at = text.indexOf(u'\r', at + 1)) {
        if (at + 1 < text.size() && text.at(at + 1) == u'\n')
            return at;
    }
    return -1;
}

QString trimLineBreaks(const QString &text)
{
    qsizetype from = 0;
    qsizetype to = text.size();
    while (to - from >= 2 && QStringView(text).sliced(from, 2) == crlf)
        from += 2;
    while (to - from >= 2 && QStringView(text).sliced(to - 2, 2) == crlf)
        to -= 2;
    // Nothing to trim: the text is shared rather than copied.
    if (from == 0 && to == text.size() && !text.isEmpty())
        return text;
    return text.sliced(from, to - from);
}

} // namespace TextScan
