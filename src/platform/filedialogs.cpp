#include "platform/filedialogs.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

QString FileDialogRequest::effectiveDefaultName() const
{
    if (defaultName.endsWith(u'\\') || defaultName.endsWith(u'/'))
        return {};
    return defaultName;
}

QStringList FileDialogs::nameFilters(const QString &filter)
{
    QStringList result;
    const QStringList parts = filter.split(u'|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts.at(i).trimmed();
        const QString patternText = parts.at(i + 1).trimmed();
        if (description.isEmpty() && patternText.isEmpty())
            break; // the closing "||"
        QStringList patterns;
        for (const QString &p : patternText.split(u';', Qt::SkipEmptyParts)) {
            const QString pattern = p.trimmed();
            if (!pattern.isEmpty())
                patterns.append(pattern == u"*.*"_s ? u"*"_s : pattern);
        }
        if (patterns.isEmpty())
            continue;
        // Qt reads the patterns from a trailing "(...)"; the description may
        // already show one, which would then be read instead.
        static const QRegularExpression shownPatterns(u"\\s*\\([^()]*\\)\\s*$"_s);
        description.remove(shownPatterns);
        if (description.isEmpty())
            description = patternText;
        result.append(description + u" ("_s + patterns.join(u' ') + u')');
    }
    return result;
}
