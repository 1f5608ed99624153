#include "platform/cp932.h"

#include <QList>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <memory>

using namespace Qt::StringLiterals;

namespace {
constexpr const char *codecName = "windows-31j";
}

namespace Cp932 {

static bool isLeadByte(uchar b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// The converter maps three single-byte control codes to others (as IBM's
// tables do: 0x1A, 0x1C and 0x7F rotate); every way around it must give what
// it gives, or one row would read differently depending on its other bytes.
static char16_t singleByte(uchar b)
{
    switch (b) {
    case 0x1A:
        return 0x1C;
    case 0x1C:
        return 0x7F;
    case 0x7F:
        return 0x1A;
    default:
        return b;
    }
}

static bool isTrailByte(uchar b)
{
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

// Character by character, so that each invalid sequence becomes exactly one
// U+FFFD (the converter would substitute 0x1A or drop a final lead byte) and
// everything after it decodes as usual. A converter that reported an error
// keeps reporting it after resetState(), so it is replaced instead.
static QString decodeCarefully(QByteArrayView bytes)
{
    QString text;
    text.reserve(bytes.size());
    QStringDecoder unit(codecName, QStringConverter::Flag::Stateless);
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const uchar b = uchar(bytes[i]);
        if (b < 0x80) {
            text += QChar(singleByte(b));
            ++i;
            continue;
        }
        qsizetype len = 1;
        if (isLeadByte(b)) {
            if (i + 1 >= n || !isTrailByte(uchar(bytes[i + 1]))) {
                text += QChar::ReplacementCharacter;
                ++i;
                continue;
            }
            len = 2;
        }
        const QString decoded = unit.decode(bytes.sliced(i, len));
        if (unit.hasError() || decoded.size() != 1 || decoded.at(0).unicode() < 0x80) {
            text += QChar::ReplacementCharacter;
            unit = QStringDecoder(codecName, QStringConverter::Flag::Stateless);
        } else {
            text += decoded;
        }
        i += len;
    }
    return text;
}

bool decodesAsLatin1(QByteArrayView bytes)
{
    // Eight bytes at a time: recipe files are mostly plain characters.
    constexpr quint64 ones = 0x0101010101010101ULL;
    constexpr quint64 highs = 0x8080808080808080ULL;
    const auto holds = [](quint64 word, uchar b) {
        const quint64 x = word ^ (ones * b);
        return ((x - ones) & ~x & highs) != 0;
    };
    const char *p = bytes.data();
    const char *const end = p + bytes.size();
    for (; end - p >= 8; p += 8) {
        quint64 word;
        std::memcpy(&word, p, sizeof word);
        if ((word & highs) || holds(word, 0x1A) || holds(word, 0x1C) || holds(word, 0x7F))
            return false;
    }
    for (; p < end; ++p) {
        if (uchar(*p) >= 0x80 || singleByte(uchar(*p)) != uchar(*p))
            return false;
    }
    return true;
}

bool endsInsideCharacter(QByteArrayView bytes)
{
    // A walk over the characters from the start reaches the byte after any
    // byte that is not a lead byte (after a single byte, or after a pair that
    // byte ends), so only the lead bytes after the last such byte matter:
    // an odd number of them leaves the last one without its trail byte.
    qsizetype i = bytes.size();
    while (i > 0 && isLeadByte(uchar(bytes[i - 1])))
        --i;
    return (bytes.size() - i) % 2 != 0;
}

QString decode(QByteArrayView bytes, bool *invalid)
{
    Decoder decoder;
    return decoder.decode(bytes, invalid);
}

namespace {

constexpr char16_t rejected = 0xFFFF; // never a character of this code page

// What each byte and each pair of bytes decodes to alone, asked of the
// converter once. The code page keeps no state between characters, so a
// text decodes as its characters do one by one (the tests hold the two
// side by side); a table walk is several times quicker than the converter.
struct Table
{
    char16_t single[256];
    char16_t pair[65536]; // lead byte * 256 + trail byte
};

const Table &table()
{
    static const std::unique_ptr<Table> made = [] {
        auto t = std::make_unique<Table>();
        std::fill(std::begin(t->single), std::end(t->single), rejected);
        std::fill(std::begin(t->pair), std::end(t->pair), rejected);
        QStringDecoder unit(codecName, QStringConverter::Flag::Stateless);
        // As decodeCarefully takes a character.
        const auto alone = [&](QByteArrayView bytes) {
            const QString decoded = unit.decode(bytes);
            if (unit.hasError()) {
                unit = QStringDecoder(codecName, QStringConverter::Flag::Stateless);
                return rejected;
            }
            // A character the code page lacks comes back as U+FFFD without
            // an error from a converter that keeps no state.
            const char16_t c = decoded.size() == 1 ? decoded.at(0).unicode() : 0;
            return c >= 0x80 && c != QChar::ReplacementCharacter ? c : rejected;
        };
        for (int b = 0; b < 0x100; ++b) {
            const char byte = char(b);
            if (b < 0x80)
                t->single[b] = singleByte(uchar(b));
            else if (!isLeadByte(uchar(b)))
                t->single[b] = alone(QByteArrayView(&byte, 1));
        }
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (!isLeadByte(uchar(lead)))
                continue;
            for (int trail = 0x40; trail <= 0xFC; ++trail) {
                if (!isTrailByte(uchar(trail)))
                    continue;
                const char bytes[2] = {char(lead), char(trail)};
                t->pair[lead * 256 + trail] = alone(QByteArrayView(bytes, 2));
            }
        }
        return t;
    }();
    return *made;
}

} // namespace

bool Decoder::decodeSound(QByteArrayView bytes, QString &text)
{
    // Into the text's own buffer: pieces of a file are decoded one after the
    // other into the same text, and a fresh buffer for each would cost a page
    // fault for every few kilobytes.
    text.resize(bytes.size());
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    const auto *in = reinterpret_cast<const uchar *>(bytes.data());
    const qsizetype n = bytes.size();
    // Plain ASCII needs no table (most settings lines, many recipe fields).
    if (decodesAsLatin1(bytes)) {
        for (qsizetype i = 0; i < n; ++i)
            out[i] = in[i];
        return true;
    }
    const Table &t = table();
    char16_t *const start = out;
    for (qsizetype i = 0; i < n;) {
        const uchar b = in[i];
        char16_t c;
        if (isLeadByte(b)) {
            // A lead byte at the very end has no character to finish.
            if (i + 1 == n)
                return false;
            c = t.pair[b * 256 + in[i + 1]];
            i += 2;
        } else {
            c = t.single[b];
            ++i;
        }
        if (c == rejected)
            return false;
        *out++ = c;
    }
    text.resize(out - start);
    return true;
}

QString Decoder::decode(QByteArrayView bytes, bool *invalid)
{
    QString text;
    const bool sound = decodeSound(bytes, text);
    if (!sound)
        text = decodeCarefully(bytes);
    if (invalid)
        *invalid = !sound;
    return text;
}

// What a character that CP932 lacks is stored as, when CP932 holds something
// that looks and reads the same; nullptr when it has nothing close.
static const char16_t *lookAlike(char16_t c)
{
    switch (c) {
    case 0x00A0: // no-break space (web pages are full of them)
    case 0x2002: // en space
    case 0x2003: // em space
    case 0x2007: // figure space
    case 0x2008: // punctuation space
    case 0x2009: // thin space
    case 0x200A: // hair space
    case 0x202F: // narrow no-break space
    case 0x205F: // medium mathematical space
        return u" ";
    case 0x00AD: // soft hyphen
    case 0x200B: // zero width space
    case 0x200C: // zero width non-joiner
    case 0x200D: // zero width joiner
    case 0x2060: // word joiner
    case 0xFEFF: // zero width no-break space, byte-order mark
        return u"";
    case 0x301C: // wave dash
        return u"\uFF5E";
    case 0x2212: // minus sign
        return u"\uFF0D";
    case 0x2016: // double vertical line
        return u"\u2225";
    case 0x00A2: // cent
        return u"\uFFE0";
    case 0x00A3: // pound
        return u"\uFFE1";
    case 0x00AC: // not sign
        return u"\uFFE2";
    case 0x00A5: // yen sign
        return u"\uFFE5";
    case 0x2013: // en dash
    case 0x2014: // em dash
        return u"\u2015";
    case 0x2011: // non-breaking hyphen
        return u"\u2010";
    case 0x00B7: // middle dot
    case 0x2022: // bullet
    case 0x2027: // hyphenation point
    case 0x2219: // bullet operator
        return u"\u30FB";
    case 0x00A9:
        return u"(C)";
    case 0x00AE:
        return u"(R)";
    case 0x2122:
        return u"TM";
    case 0x00BC:
        return u"1/4";
    case 0x00BD:
        return u"1/2";
    case 0x00BE:
        return u"3/4";
    case 0x2153:
        return u"1/3";
    case 0x2154:
        return u"2/3";
    default:
        return nullptr;
    }
}

// A Latin letter with accents (é, ñ, ü) as its plain letter; 0 for anything else.
static char16_t plainLetter(char16_t c)
{
    if (c < 0x00C0 || c > 0x024F || c == 0x00D7 || c == 0x00F7)
        return 0;
    const QString parts = QString(QChar(c)).normalized(QString::NormalizationForm_D);
    if (parts.size() < 2 || parts.at(0).unicode() >= 0x80 || !parts.at(0).isLetter())
        return 0;
    for (qsizetype i = 1; i < parts.size(); ++i) {
        if (parts.at(i).category() != QChar::Mark_NonSpacing)
            return 0;
    }
    return parts.at(0).unicode();
}

QString normalize(QStringView text)
{
    QString result;
    result.reserve(text.size());
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c < 0xA0) {
            result += ch;
        } else if (const char16_t *replacement = lookAlike(c)) {
            result += QStringView(replacement);
        } else if (const char16_t letter = plainLetter(c)) {
            result += QChar(letter);
        } else if (c >= 0x0300 && c <= 0x036F && !result.isEmpty() &&
                   result.back().unicode() < 0x80 && result.back().isLetter()) {
            // An accent typed as a combining mark after a plain letter.
            continue;
        } else {
            result += ch;
        }
    }
    return result;
}

QString codePoint(QStringView character)
{
    const QList<uint> ucs4 = character.toUcs4();
    return u"U+"_s + QString::number(ucs4.value(0), 16).toUpper().rightJustified(4, u'0');
}

static QByteArray rawEncode(QStringView text)
{
    QStringEncoder encoder(codecName, QStringConverter::Flag::Stateless);
    return encoder.encode(text);
}

bool encode(QStringView text, QByteArray *out, QString *badChar)
{
    // U+FFFD stands for a byte that could not be decoded; writing anything in
    // its place would hide the damage.
    if (text.contains(QChar::ReplacementCharacter)) {
        if (badChar)
            *badChar = QString(QChar::ReplacementCharacter);
        return false;
    }
    QByteArray bytes = rawEncode(text);
    // The encoder substitutes unmappable characters; a round trip shows them.
    if (decode(bytes) == text) {
        if (out)
            *out = std::move(bytes);
        return true;
    }
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype len = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        const QStringView one = text.mid(i, len);
        if (decode(rawEncode(one)) != one) {
            if (badChar)
                *badChar = one.toString();
            return false;
        }
        i += len;
    }
    // Every character maps alone; only sequences differ (cannot happen for a
    // stateless code page, but stay safe).
    if (badChar)
        badChar->clear();
    return false;
}

QByteArray encodeLossy(QStringView text)
{
    return rawEncode(text);
}

qsizetype byteLength(QStringView text)
{
    qsizetype n = 0;
    for (QChar c : text) {
        if (c.isLowSurrogate())
            continue;
        const ushort u = c.unicode();
        // Single-byte: ASCII and half-width katakana; everything else is two bytes.
        n += (u < 0x80 || (u >= 0xFF61 && u <= 0xFF9F)) ? 1 : 2;
    }
    return n;
}

QString leftBytes(QStringView text, qsizetype maxBytes)
{
    qsizetype bytes = 0;
    qsizetype i = 0;
    for (; i < text.size(); ++i) {
        const qsizetype len = byteLength(text.mid(i, 1));
        if (bytes + len > maxBytes)
            break;
        bytes += len;
    }
    if (i > 0 && text.at(i - 1).isHighSurrogate())
        --i;
    return text.left(i).toString();
}

} // namespace Cp932
