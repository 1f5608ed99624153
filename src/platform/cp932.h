#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

// The one code page of every file the program reads or writes (Shift-JIS as
// Windows extends it). Every file goes through these functions.
namespace Cp932 {

// Decodes bytes. An invalid or truncated sequence becomes U+FFFD and sets
// *invalid, so a caller never mistakes damaged text for good text.
QString decode(QByteArrayView bytes, bool *invalid = nullptr);

// decode() for many pieces (the lines of a file).
class Decoder
{
public:
    QString decode(QByteArrayView bytes, bool *invalid = nullptr);
    // Decodes bytes that are sound into text, reusing its buffer; false
    // (text undefined) for bytes that decode() would have to mend.
    bool decodeSound(QByteArrayView bytes, QString &text);
};

// Whether the bytes decode as Latin-1 does: ASCII without the control codes
// the converter maps to others.
bool decodesAsLatin1(QByteArrayView bytes);

// Whether the bytes end with a lead byte that has no trail byte (the
// converter holds such a byte back instead of reporting it).
bool endsInsideCharacter(QByteArrayView bytes);

// Maps the characters that Unicode input (pasted web text, IMEs on other
// systems) uses where Shift-JIS has a look-alike, so they survive the save:
// odd spaces become blanks, invisible ones vanish, dashes, dots, the yen sign,
// ©, ™ and fractions get their CP932 form, accented Latin letters lose the
// accent.
QString normalize(QStringView text);

// "U+1F600": how a message names a character (its glyph may be missing from
// the fonts, or invisible).
QString codePoint(QStringView character);

// Encodes normalised text. Returns false when a character has no CP932 form;
// *badChar then holds that character (one code point) and nothing is encoded.
bool encode(QStringView text, QByteArray *out, QString *badChar = nullptr);

// Encodes text that is known to be representable (fixed program texts); an
// unrepresentable character becomes "?".
QByteArray encodeLossy(QStringView text);

// Byte length in CP932 (two bytes for a double-byte character).
qsizetype byteLength(QStringView text);

// Cuts text to at most maxBytes CP932 bytes, never in the middle of a character.
QString leftBytes(QStringView text, qsizetype maxBytes);

} // namespace Cp932
