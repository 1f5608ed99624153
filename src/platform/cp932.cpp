#include "platform/cp932.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

namespace {
constexpr const char *codecName = "windows-31j";
}

namespace Cp932 {

static bool isLeadByte(uchar b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
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
            text += QLatin1Char(char(b));
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

QString decode(QByteArrayView bytes, bool *invalid)
{
    // Plain ASCII needs no converter (most settings lines, many recipe fields).
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; })) {
        if (invalid)
            *invalid = false;
        return QString::fromLatin1(bytes);
    }
    QStringDecoder decoder(codecName);
    QString text = decoder.decode(bytes);
    // A final lead byte is held back as the start of a character.
    bool bad = decoder.hasError();
    if (!bad) {
        qsizetype i = 0;
        while (i < bytes.size())
            i += isLeadByte(uchar(bytes[i])) ? 2 : 1;
        bad = i != bytes.size();
    }
    if (bad)
        text = decodeCarefully(bytes);
    if (invalid)
        *invalid = bad;
    return text;
}

QString normalize(QStringView text)
{
    QString result = text.toString();
    for (QChar &c : result) {
        switch (c.unicode()) {
        case 0x301C:
            c = QChar(0xFF5E);
            break; // wave dash
        case 0x2212:
            c = QChar(0xFF0D);
            break; // minus sign
        case 0x2016:
            c = QChar(0x2225);
            break; // double vertical line
        case 0x00A2:
            c = QChar(0xFFE0);
            break; // cent
        case 0x00A3:
            c = QChar(0xFFE1);
            break; // pound
        case 0x00AC:
            c = QChar(0xFFE2);
            break; // not sign
        case 0x2014:
            c = QChar(0x2015);
            break; // em dash
        default:
            break;
        }
    }
    return result;
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
