#include "search/authortext.h"

#include "recipe/recipefilereader.h"

using namespace Qt::StringLiterals;

namespace AuthorText {

QString build(const QStringList &lines)
{
    static const QString crlf = u"\r\n"_s;
    static const QString indent = u"　　"_s;
    QString text;
    for (QString line : lines) {
        while (!line.isEmpty() && line.back().isSpace())
            line.chop(1);
        auto valueAfter = [&line](const QString &prefix) {
            return line.startsWith(prefix) ? line.mid(prefix.size()) : QString();
        };
        if (const QString v = valueAfter(u"@TITLE="_s); !v.isEmpty())
            text += crlf + u'[' + v + u']' + crlf;
        else if (const QString v = valueAfter(u"@作者="_s); !v.isEmpty())
            text += indent + v + u"さん"_s + crlf;
        else if (const QString v = valueAfter(u"@URL="_s); !v.isEmpty())
            text += indent + v + crlf;
        else if (const QString v = valueAfter(u"@MAIL="_s); !v.isEmpty())
            text += indent + v + crlf;
    }
    return text + crlf + u"新しい作者さんの参加も募集しております。"_s;
}

QString buildFromFile(const QString &path)
{
    const RecipeFileReader reader(path);
    return build(reader.metadataLines());
}

} // namespace AuthorText
