#include "analysis/textscan.h"

#include "recipe/texthelpers.h"

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
    QStringList lines = text.split(crlf);
    if (trimEveryLine) {
        for (QString &line : lines)
            line = line.trimmed();
        return TextHelpers::joinLines(lines);
    }
    qsizetype common = -1;
    for (QString &line : lines) {
        if (line.trimmed().isEmpty())
            continue;
        qsizetype chars = 0;
        qsizetype width = 0;
        while (chars < line.size() && isIndentBlank(line.at(chars))) {
            width += line.at(chars) == u' ' ? 1 : 2;
            ++chars;
        }
        line.replace(0, chars, QString(width, u' '));
        common = common < 0 ? width : qMin(common, width);
    }
    if (common >= 0) {
        for (QString &line : lines) {
            line.remove(0, common);
            qsizetype end = line.size();
            while (end > 0 && isIndentBlank(line.at(end - 1)))
                --end;
            line.truncate(end);
        }
    }
    return TextHelpers::joinLines(lines);
}

QString trimLineBreaks(const QString &text)
{
    qsizetype from = 0;
    qsizetype to = text.size();
    while (to - from >= 2 && QStringView(text).sliced(from, 2) == crlf)
        from += 2;
    while (to - from >= 2 && QStringView(text).sliced(to - 2, 2) == crlf)
        to -= 2;
    return text.sliced(from, to - from);
}

} // namespace TextScan
