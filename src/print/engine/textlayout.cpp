#include "print/engine/textlayout.h"

#include "platform/cp932.h"
#include "print/engine/drawsurface.h"
#include "print/engine/pagelayout.h"
#include "recipe/recordcodec.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace TextLayout {

namespace {

const QString crlf = u"\r\n"_s;
const QString levelMarker = u"@(#LEVEL1)="_s;
const QString itemMarker = u"@##"_s;

// One character of the text, surrogate pairs kept whole.
qsizetype charLength(const QString &s, qsizetype i)
{
    return s.at(i).isHighSurrogate() && i + 1 < s.size() && s.at(i + 1).isLowSurrogate() ? 2 : 1;
}

QStringList sourceLines(const QString &text)
{
    QStringList lines{QString()};
    for (const QChar c : text) {
        if (c == u'\n')
            continue;
        if (c == u'\r')
            lines.append(QString());
        else
            lines.last().append(c);
    }
    return lines;
}

QString numberLabel(int n)
{
    return u'(' + QString::number(n) + u')';
}

} // namespace

QString layoutTextBox(DrawSurface &s, const PageLayout &layout, const QString &input, double right,
                      double bottom)
{
    const double left = s.getCurrentX();
    double indent = left;
    int item = 0;
    bool listMode = false;

    QString text = RecordCodec::decodeMultiline(input);
    if (!text.endsWith(crlf))
        text += crlf;
    const QStringList lines = sourceLines(text);

    const auto fits = [&] {
        return s.getCurrentY() + 2 * DrawSurface::fontHalfHeightMm(s.getFontSize()) <= bottom;
    };
    const auto lineBreak = [&](double x) {
        s.printText(crlf);
        s.setCurrentX(x);
    };

    qsizetype next = lines.size(); // first source line not printed
    QString keptRest;
    bool stopped = false;
    for (qsizetype i = 0; i < lines.size() && !stopped; ++i) {
        const QString &line = lines.at(i);
        if (!fits()) {
            next = i;
            break;
        }
        const bool heading = line.startsWith(u'[') || line.startsWith(u'【');
        s.setForeColor(heading ? layout.DEFAULT_COLOR : layout.DATA_COLOR);

        if (line.startsWith(levelMarker)) {
            item =
                LayoutSettings::toInt16(LayoutSettings::parseNumber(line.mid(levelMarker.size())));
            listMode = true;
            indent = left + s.measureTextWidth(numberLabel(item));
            continue;
        }
        if (listMode && line.trimmed().isEmpty())
            continue;

        qsizetype k = 0;
        if (line.startsWith(itemMarker)) {
            if (listMode)
                lineBreak(left);
            ++item;
            listMode = true;
            s.setCurrentX(left);
            s.printText(numberLabel(item));
            indent = s.getCurrentX();
            k = itemMarker.size();
        }

        QString pending;
        for (qsizetype c = k; c < line.size(); c += charLength(line, c)) {
            const QString ch = line.mid(c, charLength(line, c));
            if (s.getCurrentX() + s.measureTextWidth(pending + ch) > right) {
                s.printText(pending + crlf);
                s.setCurrentX(indent);
                pending.clear();
                if (!fits()) {
                    keptRest = line.mid(c);
                    next = i + 1;
                    stopped = true;
                    break;
                }
            }
            pending += ch;
        }
        if (!pending.isEmpty())
            s.printText(pending);
        if (!listMode)
            lineBreak(left);
    }

    QString rest;
    if (listMode)
        rest += levelMarker + QString::number(item) + crlf;
    if (stopped)
        rest += keptRest + crlf;
    for (qsizetype i = next; i < lines.size(); ++i)
        rest += lines.at(i) + crlf;
    return rest;
}

bool nothingLeft(const QString &rest)
{
    if (rest.isEmpty())
        return true;
    if (!rest.startsWith(levelMarker) || !rest.endsWith(crlf))
        return false;
    return rest.indexOf(crlf) == rest.size() - crlf.size();
}

bool printWrapped(DrawSurface &s, const QString &text, double right, double bottom)
{
    bool complete = true;
    const int32_t saved = s.getForeColor();
    const double step = DrawSurface::fontHalfHeightMm(s.getFontSize());
    const double left = s.getCurrentX();
    const auto lineBreak = [&] {
        s.printLine(QString());
        s.setCurrentX(left);
    };

    for (qsizetype p = 0; p < text.size(); p += charLength(text, p)) {
        const char16_t c = text.at(p).unicode();
        if (c <= 6) {
            s.setForeColor(c);
        } else if (c == 7) {
            s.setForeColorRgb(saved);
        } else if (c == u'\n') {
            continue;
        } else if (c == u'\r') {
            lineBreak();
        } else if (c == u'\\' && p + 1 < text.size() && text.at(p + 1) == u'n') {
            lineBreak();
            ++p;
        } else {
            const QString ch = text.mid(p, charLength(text, p));
            if (s.getCurrentX() + step * double(Cp932::byteLength(ch)) > right)
                lineBreak();
            if (s.getCurrentY() + 2 * step > bottom) {
                complete = false;
                break;
            }
            s.printText(ch);
        }
    }
    s.setForeColorRgb(saved);
    s.pagePrinted = 1;
    return complete;
}

} // namespace TextLayout
