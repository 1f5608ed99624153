#pragma once

#include "platform/cp932.h"

// Width estimates count bytes in the file code page: one for a half-width
// character, two for a full-width one.
inline qsizetype ansiByteLength(QStringView text)
{
    return Cp932::byteLength(text);
}
