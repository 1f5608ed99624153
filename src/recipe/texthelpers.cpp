#include "recipe/texthelpers.h"

#include "platform/programfolder.h"
#include "recipe/recordcodec.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace TextHelpers {

QString replaceAll(const QString &text, const QString &find, const QString &replacement)
{
    if (find.isEmpty())
        return text;
    qsizetype at = text.indexOf(find);
    if (at < 0)
        return text;
    // One pass into a new text, resuming after each hit: QString::replace
    // moves the whole rest of the text once per 1024 hits, which grows with
    // the square of a long text.
    QString result;
    result.reserve(text.size() + (replacement.size() > find.size() ? text.size() / 4 : 0));
    qsizetype from = 0;
    for (; at >= 0; at = text.indexOf(find, from)) {
        result += QStringView(text).sliced(from, at - from);
        result += replacement;
        from = at + find.size();
    }
    result += QStringView(text).sliced(from);
    return result;
}

QStringView trimBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == u' ')
        ++begin;
    while (end > begin && text.at(end - 1) == u' ')
        --end;
    return text.sliced(begin, end - begin);
}

QString trimBlanks(const QString &text)
{
    const QStringView trimmed = trimBlanks(QStringView(text));
    return trimmed.size() == text.size() ? text : trimmed.toString();
}

QString squeezeChar(const QString &text, QChar c)
{
    QString result;
    result.reserve(text.size());
    for (QChar ch : text) {
        if (ch == c && !result.isEmpty() && result.back() == c)
            continue;
        result += ch;
    }
    if (result.endsWith(c))
        result.chop(1);
    return result;
}

static qsizetype lastSeparator(const QString &path)
{
    // A separator as the very last character is not looked at.
    const qsizetype from = path.size() - 2;
    if (from < 0)
        return -1;
    return qMax(path.lastIndexOf(u'\\', from), path.lastIndexOf(u'/', from));
}

QString fileNamePart(const QString &path)
{
    const qsizetype sep = lastSeparator(path);
    return sep < 0 ? path : path.mid(sep + 1);
}

QString extensionPart(const QString &path)
{
    const QString name = fileNamePart(path);
    const qsizetype from = name.size() - 2;
    const qsizetype dot = from < 0 ? -1 : name.lastIndexOf(u'.', from);
    return dot < 0 ? QString() : name.mid(dot + 1).trimmed();
}

QString folderPart(const QString &path)
{
    const qsizetype sep = qMax(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
    return sep < 0 ? QString() : path.left(sep + 1);
}

QString fileExists(const QString &name)
{
    if (name.trimmed().isEmpty())
        return {};
    const QString path = ProgramFolder::resolve(name);
    const QFileInfo info(path);
    if (name.contains(u'*') || name.contains(u'?')) {
        // A pattern names the first matching file, as a directory listing would.
        const QDir dir = info.dir();
        const QStringList found = dir.entryList({info.fileName()}, QDir::Files, QDir::Name);
        return found.isEmpty() ? QString() : found.front();
    }
    if (!info.exists() || !info.isFile())
        return {};
    return info.fileName();
}

static QStringList splitParagraphs(const QString &text)
{
    QStringList result{QString()};
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    for (const QString &line : lines) {
        if (line.trimmed().isEmpty()) {
            if (!result.back().isEmpty())
                result.append(QString());
            continue;
        }
        result.back() += line + QStringLiteral("\r\n");
    }
    return result;
}

QStringList splitText(int mode, const QString &text)
{
    switch (mode) {
    case 2:
        return text.split(QStringLiteral("\\n"));
    case 3:
        return RecordCodec::splitFields(text, false);
    case 4:
        return text.split(u',');
    case 1:
        return splitParagraphs(text);
    default:
        if (mode >= 5)
            return splitParagraphs(text);
        return text.split(QStringLiteral("\r\n"));
    }
}

QString joinLines(const QStringList &lines)
{
    return lines.join(QStringLiteral("\r\n"));
}

bool isNumber(const QString &text)
{
    QString t = text.trimmed();
    for (QChar &c : t) {
        if (c.unicode() >= 0xFF10 && c.unicode() <= 0xFF19)
            c = QChar(u'0' + (c.unicode() - 0xFF10));
    }
    static const QRegularExpression number(u"^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"_s);
    return number.match(t).hasMatch();
}

} // namespace TextHelpers
