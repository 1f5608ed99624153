#include "recipe/recordcodec.h"

#include "recipe/texthelpers.h"

#include "platform/cp932.h"

#include <QVarLengthArray>

#include <algorithm>
#include <cstring>
#include <limits>

namespace RecordCodec {

// The one row splitter: calls store(field number, field text) for each field
// wanted(field number) asks for, up to lastField; the fields after it are not
// looked at. Runs of plain characters are copied at once, and nothing is
// copied for a field that is not wanted; the list is rebuilt from the whole
// file after every change, so this is on the hot path.
template <typename Wanted, typename Store>
static void forEachField(QStringView line, bool tabSeparates, int lastField, Wanted wanted,
                         Store store)
{
    QString buffer;
    bool quoted = false;
    int field = 1;
    bool keep = wanted(field);
    const char16_t *const s = line.utf16();
    const qsizetype n = line.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = s[i];
        if (c == u',' || (tabSeparates && c == u'\t')) {
            if (quoted) {
                if (keep)
                    buffer += QChar(c);
            } else {
                if (keep)
                    store(field, buffer);
                buffer.clear();
                if (++field > lastField)
                    return;
                keep = wanted(field);
            }
        } else if (c == u'"') {
            if (!quoted) {
                quoted = true;
                qsizetype blanks = 0;
                while (blanks < buffer.size() && buffer.at(blanks) == u' ')
                    ++blanks;
                buffer.remove(0, blanks);
            } else if (i == n - 1) {
                quoted = false;
            } else if (s[i + 1] == u'"') {
                if (keep)
                    buffer += u'"';
                ++i;
            } else {
                quoted = false;
                while (i + 1 < n && s[i + 1] == u' ')
                    ++i;
            }
        } else if (c >= 9) {
            qsizetype end = i + 1;
            while (end < n) {
                const char16_t u = s[end];
                if (u == u',' || (tabSeparates && u == u'\t') || u == u'"' || u < 9)
                    break;
                ++end;
            }
            if (keep)
                buffer += line.sliced(i, end - i);
            i = end - 1;
        }
    }
    if (keep)
        store(field, buffer);
}

constexpr int allFields = std::numeric_limits<int>::max();

QStringList splitFields(QStringView line, bool tabSeparates)
{
    QStringList fields;
    forEachField(
        line, tabSeparates, allFields, [](int) { return true; },
        [&fields](int, const QString &f) { fields.append(f); });
    return fields;
}

void splitRecordLine(QStringView line, RecipeRecord &record)
{
    record.clear();
    // Beyond 200 fields the format has no room: the rest is not kept.
    forEachField(
        line, true, RecipeRecord::fieldCount, [](int) { return true; },
        [&](int n, const QString &f) { record.setField(n, f); });
}

void splitLeadingFields(QStringView line, RecipeRecord &record, int count)
{
    count = qBound(0, count, int(RecipeRecord::fieldCount));
    for (int n = 1; n <= count; ++n)
        record.setField(n, QString());
    if (count > 0)
        forEachField(
            line, true, count, [](int) { return true; },
            [&](int n, const QString &f) { record.setField(n, f); });
}

// The first byte from i on that the splitters must look at: quote, comma,
// TAB or a control character below it; n when there is none. Eight bytes at
// a time: most of a row is text between them.
static qsizetype nextSpecialByte(const char *s, qsizetype i, qsizetype n)
{
    constexpr quint64 ones = 0x0101010101010101ULL;
    constexpr quint64 highs = 0x8080808080808080ULL;
    const auto holds = [](quint64 word, uchar b) {
        const quint64 x = word ^ (ones * b);
        return ((x - ones) & ~x & highs) != 0;
    };
    const auto holdsBelow = [](quint64 word, uchar b) {
        return ((word - ones * b) & ~word & highs) != 0;
    };
    const auto special = [](char c) { return c == ',' || c == '"' || uchar(c) <= '\t'; };
    if (i < n && special(s[i])) // a quote and a comma often stand side by side
        return i;
    for (; n - i >= 8; i += 8) {
        quint64 word;
        std::memcpy(&word, s + i, sizeof word);
        if (holds(word, ',') || holds(word, '"') || holdsBelow(word, '\t' + 1))
            break;
    }
    while (i < n && !special(s[i]))
        ++i;
    return i;
}

qsizetype leadingFieldsEnd(QByteArrayView row, int count)
{
    // The splitter's quote rules, on the bytes: quote, comma, TAB and blank
    // are single bytes below 0x40, never the second byte of a character, and
    // nothing else decodes to them. The cut comes after a separator, so the
    // bytes before it decode as they do in the whole row.
    bool quoted = false;
    int field = 1;
    const char *const s = row.data();
    const qsizetype n = row.size();
    for (qsizetype i = nextSpecialByte(s, 0, n); i < n; i = nextSpecialByte(s, i + 1, n)) {
        const char c = s[i];
        if (c == ',' || c == '\t') {
            if (!quoted && ++field > count)
                return i + 1;
        } else if (c == '"') {
            if (!quoted) {
                quoted = true;
            } else if (i == n - 1) {
                quoted = false;
            } else if (s[i + 1] == '"') {
                ++i;
            } else {
                quoted = false;
                while (i + 1 < n && s[i + 1] == ' ')
                    ++i;
            }
        }
    }
    return n;
}

QStringList selectedFields(QStringView line, std::initializer_list<int> numbers)
{
    QStringList fields(qsizetype(numbers.size()));
    const int last = numbers.size() ? *std::max_element(numbers.begin(), numbers.end()) : 0;
    const auto slot = [&](int n) {
        return qsizetype(std::find(numbers.begin(), numbers.end(), n) - numbers.begin());
    };
    if (last > 0)
        forEachField(
            line, true, last, [&](int n) { return slot(n) < fields.size(); },
            [&](int n, const QString &f) { fields[slot(n)] = f; });
    return fields;
}

QStringList selectedFields(QByteArrayView row, std::initializer_list<int> numbers,
                           Cp932::Decoder &decoder)
{
    // The splitter above, on the bytes: the characters it looks at (quote,
    // comma, TAB, blank, control characters) are single bytes below 0x40,
    // which are never the second byte of a character. A field is decoded
    // from the runs of bytes it keeps, each on its own, as each run stands
    // between such characters in the decoded row.
    QStringList fields(qsizetype(numbers.size()));
    const auto slot = [&](int n) {
        return qsizetype(std::find(numbers.begin(), numbers.end(), n) - numbers.begin());
    };
    const int last = numbers.size() ? *std::max_element(numbers.begin(), numbers.end()) : 0;
    if (last <= 0)
        return fields;
    QVarLengthArray<std::pair<qsizetype, qsizetype>, 8> runs; // [from, to) of the field being read
    const auto keepBytes = [&](qsizetype from, qsizetype to) {
        if (!runs.isEmpty() && runs.back().second == from)
            runs.back().second = to;
        else
            runs.append({from, to});
    };
    int field = 1;
    bool keep = slot(field) < fields.size();
    const auto store = [&] {
        if (runs.size() == 1) { // most fields: decoded straight into place
            const auto [from, to] = runs.front();
            fields[slot(field)] = decoder.decode(row.sliced(from, to - from));
            return;
        }
        QString text;
        for (const auto &[from, to] : std::as_const(runs))
            text += decoder.decode(row.sliced(from, to - from));
        fields[slot(field)] = text;
    };
    bool quoted = false;
    const char *const s = row.data();
    const qsizetype n = row.size();
    for (qsizetype i = 0; i < n; ++i) {
        const uchar c = uchar(s[i]);
        if (c == ',' || c == '\t') {
            if (quoted) {
                if (keep)
                    keepBytes(i, i + 1);
            } else {
                if (keep)
                    store();
                runs.clear();
                if (++field > last)
                    return fields;
                keep = slot(field) < fields.size();
            }
        } else if (c == '"') {
            if (!quoted) {
                quoted = true;
                while (!runs.isEmpty() && s[runs.front().first] == ' ') {
                    if (++runs.front().first == runs.front().second)
                        runs.erase(runs.begin());
                }
            } else if (i == n - 1) {
                quoted = false;
            } else if (s[i + 1] == '"') {
                if (keep)
                    keepBytes(i, i + 1);
                ++i;
            } else {
                quoted = false;
                while (i + 1 < n && s[i + 1] == ' ')
                    ++i;
            }
        } else if (c >= 9) {
            const qsizetype end = nextSpecialByte(s, i + 1, n);
            if (keep)
                keepBytes(i, end);
            i = end - 1;
        }
    }
    if (keep)
        store();
    return fields;
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
    t = TextHelpers::replaceAll(t, crlf, QStringLiteral("\n"));
    t.replace(u'\r', u'\n');
    while (t.endsWith(u'\n'))
        t.chop(1);
    t = TextHelpers::replaceAll(t, QStringLiteral("\n"), escaped);
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

void appendPadCut(QString &out, QStringView text, int chars)
{
    const QStringView trimmed = TextHelpers::trimBlanks(text);
    const qsizetype kept = qMin<qsizetype>(trimmed.size(), qMax(chars, 0));
    out += trimmed.first(kept);
    out.resize(out.size() + qMax(chars, 0) - kept, u' ');
}

QString padCut(const QString &text, int chars)
{
    QString out;
    appendPadCut(out, text, chars);
    return out;
}

QString sortKey(const RecipeRecord &record)
{
    QString key;
    key.reserve(55);
    appendPadCut(key, record.field(RecipeRecord::MainCategory), 20);
    appendPadCut(key, record.field(RecipeRecord::MainIngredient), 10);
    appendPadCut(key, record.field(RecipeRecord::DishName), 25);
    return key;
}

} // namespace RecordCodec
