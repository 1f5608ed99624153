#include "recipe/recordcodec.h"

#include "recipe/texthelpers.h"

namespace RecordCodec {

// The one row splitter: calls store(field text) for each field in order.
// Runs of plain characters are copied at once; the list is rebuilt from the
// whole file after every change, so this is on the hot path.
template <typename Store> static void forEachField(QStringView line, bool tabSeparates, Store store)
{
    QString buffer;
    bool quoted = false;
    const qsizetype n = line.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = line.at(i);
        if (c == u',' || (tabSeparates && c == u'\t')) {
            if (quoted) {
                buffer += c;
            } else {
                store(buffer);
                buffer.clear();
            }
        } else if (c == u'"') {
            if (!quoted) {
                quoted = true;
                qsizetype keep = 0;
                while (keep < buffer.size() && buffer.at(keep) == u' ')
                    ++keep;
                buffer.remove(0, keep);
            } else if (i == n - 1) {
                quoted = false;
            } else if (line.at(i + 1) == u'"') {
                buffer += u'"';
                ++i;
            } else {
                quoted = false;
                while (i + 1 < n && line.at(i + 1) == u' ')
                    ++i;
            }
        } else if (c.unicode() >= 9) {
            qsizetype end = i + 1;
            while (end < n) {
                const char16_t u = line.at(end).unicode();
                if (u == u',' || (tabSeparates && u == u'\t') || u == u'"' || u < 9)
                    break;
                ++end;
            }
            buffer += line.sliced(i, end - i);
            i = end - 1;
        }
    }
    store(buffer);
}

QStringList splitFields(QStringView line, bool tabSeparates)
{
    QStringList fields;
    forEachField(line, tabSeparates, [&fields](const QString &f) { fields.append(f); });
    return fields;
}

void splitRecordLine(QStringView line, RecipeRecord &record)
{
    record.clear();
    int field = 1;
    // Beyond 200 fields the format has no room: the rest is not kept.
    forEachField(line, true, [&](const QString &f) {
        if (field <= RecipeRecord::fieldCount)
            record.setField(field, f);
        ++field;
    });
}

RecipeRecord splitRecordLine(QStringView line)
{
    RecipeRecord record;
    splitRecordLine(line, record);
    return record;
}

static QString singleLineField(QString value)
{
    // A row must stay on one line whatever a single-line field holds.
    value.replace(QLatin1String("\r\n"), QLatin1String(" "));
    value.replace(u'\r', u' ');
    value.replace(u'\n', u' ');
    return TextHelpers::replaceAll(value, QStringLiteral("\""), QStringLiteral("\"\""));
}

QString writeRecordLine(const RecipeRecord &record, int lastField)
{
    lastField = qBound(RecipeRecord::definedFields, lastField, RecipeRecord::fieldCount);
    QString row;
    for (int n = 1; n <= lastField; ++n) {
        QString value = record.field(n);
        value = RecipeRecord::isMultiline(n) ? encodeMultiline(value) : singleLineField(value);
        if (n <= RecipeRecord::DishName)
            value = TextHelpers::trimBlanks(value); // after line breaks became blanks
        if (n > 1)
            row += u',';
        row += u'"';
        row += value;
        row += u'"';
    }
    return row;
}

QString encodeMultiline(const QString &text)
{
    static const QString crlf = QStringLiteral("\r\n");
    static const QString escaped = QStringLiteral("\\n");
    QString t = text;
    // A lone CR or LF is a line break too; left alone it would split the row.
    t.replace(crlf, QStringLiteral("\n"));
    t.replace(u'\r', u'\n');
    while (t.endsWith(u'\n'))
        t.chop(1);
    t.replace(u'\n', escaped);
    while (t.endsWith(escaped))
        t.chop(2);
    return TextHelpers::replaceAll(t, QStringLiteral("\""), QStringLiteral("\"\""));
}

QString decodeMultiline(const QString &text)
{
    static const QString crlf = QStringLiteral("\r\n");
    static const QString escaped = QStringLiteral("\\n");
    QString t = text;
    while (t.endsWith(escaped))
        t.chop(2);
    t = TextHelpers::replaceAll(t, escaped, crlf);
    while (t.endsWith(crlf))
        t.chop(2);
    return t;
}

QString padCut(const QString &text, int chars)
{
    return TextHelpers::trimBlanks(text).leftJustified(chars, u' ', true);
}

QString sortKey(const RecipeRecord &record)
{
    return padCut(record.field(RecipeRecord::MainCategory), 20) +
           padCut(record.field(RecipeRecord::MainIngredient), 10) +
           padCut(record.field(RecipeRecord::DishName), 25);
}

} // namespace RecordCodec
