#pragma once

#include <QString>

#include <cstdint>

// Numbers as the settings file and the entry fields hold them.
namespace NumberText {

// Leading-number parse: leading blanks skipped, the longest numeric prefix,
// "&H" for hexadecimal; 0 when there is none.
double parseNumber(const QString &text);
// Rounds halves to the even neighbour and clamps to the type's range.
int16_t toInt16(double value);
int32_t toInt32(double value);

} // namespace NumberText
