#pragma once

#include <QColor>

#include <cstdint>

// Colours travel as 0x00BBGGRR values, the way the settings file stores them.
namespace ColorCodes {

// Positions in the rainbow (code 19) and pastel (code 20) cycles; they keep
// advancing for the life of the surface so consecutive drawings differ.
struct Cycles
{
    int16_t rainbow = 0;
    int16_t pastel = 0;
};

constexpr int32_t rgb(int r, int g, int b)
{
    return int32_t(uint32_t(r & 0xff) | uint32_t(g & 0xff) << 8 | uint32_t(b & 0xff) << 16);
}

// Codes 0 to 20 are the colour list of the options window, -1 to -6 the
// rainbow colours by number; any other value is already an RGB value.
int32_t mapColorCode(int32_t code, Cycles &cycles);

QColor toQColor(int32_t bgr);

} // namespace ColorCodes
