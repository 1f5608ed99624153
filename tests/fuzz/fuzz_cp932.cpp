// The code page: decoding any bytes, and encoding what was decoded.
#include "fuzzinput.h"
#include "platform/cp932.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    bool invalid = false;
    const QString text = Cp932::decode(bytes, &invalid);

    // A damaged sequence costs one character, never what follows it: after
    // two line ends the rest of the line decodes as it is.
    const QString tail = QStringLiteral("\nok,\"x\"");
    const QString joined = Cp932::decode(bytes + "\n" + tail.toLatin1());
    if (!joined.endsWith(tail))
        FuzzInput::fail("text after damaged bytes decodes normally", tail, joined.right(12));

    // What the encoder accepts comes back unchanged, so nothing is replaced
    // silently on saving.
    const QString normalized = Cp932::normalize(text);
    QByteArray encoded;
    if (Cp932::encode(normalized, &encoded)) {
        const QString back = Cp932::decode(encoded);
        if (back != normalized)
            FuzzInput::fail("encode then decode gives the text back", normalized, back);
    }
    Cp932::leftBytes(text, qsizetype(size % 300));
    return 0;
}
