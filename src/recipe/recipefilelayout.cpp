#include "recipe/recipefilelayout.h"

#include "platform/cp932.h"
#include "recipe/recordcodec.h"
#include "recipe/texthelpers.h"

#include <QDir>

#include <cstring>

using namespace Qt::StringLiterals;

namespace RecipeFileLayout {

namespace {

constexpr QByteArrayView utf8Mark("\xEF\xBB\xBF");

template <typename Line> qsizetype firstNonMetadata(const QList<Line> &lines)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!isMetadataLine(lines.at(i)))
            return i;
    }
    return -1;
}

// A row as the program writes it: a dish name, the switches in field 4
// ("0|1|0|0|0|0|0|"), then two list indexes.
bool isRecipeRow(QStringView line)
{
    const QStringList f = RecordCodec::splitFields(line.left(4096));
    if (f.size() < 4 || TextHelpers::trimBlanks(f.at(2)).isEmpty())
        return false;
    const QString &flags = f.at(3);
    if (flags.isEmpty() || flags.at(0) == u'|')
        return false;
    for (QChar c : flags) {
        if (c != u'0' && c != u'1' && c != u'|')
            return false;
    }
    for (qsizetype i = 4; i < qMin<qsizetype>(f.size(), 6); ++i) {
        for (QChar c : f.at(i)) {
            if (!c.isDigit() || c.unicode() > 127)
                return false;
        }
    }
    return true;
}

enum class Kind { Text, Utf16, Binary };

// Text never holds NUL bytes; UTF-16 holds them at about every other byte
// (Latin, digits, line ends), binary data anywhere.
Kind textKind(const QList<QByteArray> &lines)
{
    if (!lines.isEmpty() &&
        (lines.first().startsWith("\xFF\xFE") || lines.first().startsWith("\xFE\xFF")))
        return Kind::Utf16;
    constexpr qsizetype sample = 64 * 1024;
    qsizetype seen = 0;
    qsizetype nul = 0;
    for (const QByteArray &line : lines) {
        if (seen >= sample)
            break;
        const QByteArrayView part = QByteArrayView(line).first(qMin(line.size(), sample - seen));
        nul += part.count('\0');
        seen += part.size() + 2;
    }
    if (nul == 0)
        return Kind::Text;
    return nul * 4 >= seen && nul * 4 <= seen * 3 ? Kind::Utf16 : Kind::Binary;
}

// CP932 Japanese text is practically never valid UTF-8 (its lead bytes are
// UTF-8 continuation bytes), so valid UTF-8 with non-ASCII bytes is UTF-8.
bool isUtf8(const QList<QByteArray> &lines)
{
    bool nonAscii = false;
    for (const QByteArray &line : lines) {
        if (!nonAscii)
            nonAscii =
                std::any_of(line.begin(), line.end(), [](char c) { return uchar(c) >= 0x80; });
        if (!line.isValidUtf8())
            return false;
    }
    return nonAscii;
}

bool isRowNotHeader(QStringView line)
{
    return !isHeaderLine(line) && isRecipeRow(line);
}

} // namespace

QByteArrayView withoutByteOrderMark(QByteArrayView content)
{
    return content.startsWith(utf8Mark) ? content.sliced(utf8Mark.size()) : content;
}

void dropByteOrderMark(QList<QByteArray> &lines)
{
    if (!lines.isEmpty() && lines.first().startsWith(utf8Mark))
        lines.first().remove(0, utf8Mark.size());
}

bool isHeaderLine(QStringView line)
{
    if (TextHelpers::trimBlanks(line.left(200).toString()).isEmpty())
        return true;
    static const QStringList names = {u"主材料"_s, u"副材料"_s, u"料理名"_s};
    const QStringList f = RecordCodec::splitFields(line.left(200));
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (TextHelpers::trimBlanks(f.value(i)) != names.at(i))
            return false;
    }
    return true;
}

int recordNoBeforeFirstLine(const QList<QByteArray> &lines)
{
    const qsizetype first = firstNonMetadata(lines);
    return first >= 0 && isRowNotHeader(Cp932::decode(lines.at(first).left(8192))) ? 1 : 0;
}

int recordNoBeforeFirstLine(const QList<QStringView> &lines)
{
    const qsizetype first = firstNonMetadata(lines);
    return first >= 0 && isRowNotHeader(lines.at(first)) ? 1 : 0;
}

std::optional<QByteArray> row(const QList<QByteArray> &lines, int recordNo)
{
    int n = recordNoBeforeFirstLine(lines);
    for (const QByteArray &line : lines) {
        if (isMetadataLine(line))
            continue;
        if (++n == recordNo && n >= 2)
            return line;
    }
    return std::nullopt;
}

size_t rowIdentity(QByteArrayView rawRow)
{
    // Of the bytes, eight at a time: the list hashes every row of the file at
    // each rebuild. Each step is a bijection of the state, so a row that
    // differs from another in a single word never gets its identity.
    constexpr quint64 odd = 0x9E3779B97F4A7C15ULL;
    quint64 h = quint64(rawRow.size()) * odd;
    const char *p = rawRow.data();
    qsizetype left = rawRow.size();
    const auto mix = [&](quint64 word) {
        h = (h ^ word) * odd;
        h ^= h >> 32;
    };
    for (; left >= 8; p += 8, left -= 8) {
        quint64 word;
        std::memcpy(&word, p, sizeof word);
        mix(word);
    }
    quint64 last = 0;
    if (left > 0)
        std::memcpy(&last, p, size_t(left));
    mix(last);
    return size_t(h);
}

std::optional<QByteArray> sameRow(const QList<QByteArray> &lines, int recordNo, size_t identity)
{
    std::optional<QByteArray> raw = row(lines, recordNo);
    if (raw && rowIdentity(*raw) != identity)
        raw.reset();
    return raw;
}

QString refusal(const QString &path, const QList<QByteArray> &lines)
{
    const QString name = QDir::toNativeSeparators(path);
    const QString unchanged = u"\r\n何も変更していません。"_s;
    // A recognised header makes a recipe file, whatever damage its rows hold.
    const qsizetype first = firstNonMetadata(lines);
    const QString firstLine = first < 0 ? QString() : Cp932::decode(lines.at(first).left(8192));
    if (first >= 0 && isHeaderLine(firstLine))
        return {};
    const Kind kind = textKind(lines);
    if (kind == Kind::Utf16 || isUtf8(lines)) {
        return u"「%1」は%2で書かれたファイルのため、レシピファイルとして使えません。\r\n"
               u"Shift-JIS（CP932）で保存し直してください。"_s.arg(
                   name, kind == Kind::Utf16 ? u"UTF-16"_s : u"UTF-8"_s) +
               unchanged;
    }
    if (kind == Kind::Text && (first < 0 || isRecipeRow(firstLine)))
        return {};
    return u"「%1」はレシピファイルではありません。\r\n"
           u"最初の行が見出し行（主材料,副材料,料理名,…）でも、レシピの行でもありません。"_s.arg(
               name) +
           unchanged;
}

} // namespace RecipeFileLayout
