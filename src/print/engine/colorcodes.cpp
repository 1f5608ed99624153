#include "print/engine/colorcodes.h"

#include <array>

namespace ColorCodes {

namespace {

constexpr std::array<int32_t, 19> listColors = {
    rgb(0, 0, 0),     rgb(0, 0, 255),     rgb(0, 255, 0),     rgb(0, 255, 255),   rgb(255, 0, 0),
    rgb(255, 0, 255), rgb(255, 255, 0),   rgb(140, 140, 140), rgb(255, 255, 255), rgb(128, 64, 0),
    rgb(0, 208, 208), rgb(255, 191, 213), rgb(243, 199, 105), rgb(233, 238, 15),  rgb(49, 187, 34),
    rgb(0, 0, 128),   rgb(100, 100, 100), rgb(64, 128, 128),  rgb(52, 139, 52),
};

constexpr std::array<int32_t, 6> rainbow = {
    rgb(240, 80, 80),  rgb(255, 255, 0), rgb(80, 240, 80),
    rgb(80, 230, 230), rgb(80, 80, 240), rgb(167, 80, 254),
};

constexpr std::array<int32_t, 9> pastel = {
    rgb(255, 204, 153), rgb(255, 255, 102), rgb(204, 255, 153),
    rgb(153, 255, 153), rgb(153, 255, 255), rgb(153, 204, 255),
    rgb(204, 204, 255), rgb(204, 153, 255), rgb(255, 153, 255),
};

} // namespace

int32_t mapColorCode(int32_t code, Cycles &cycles)
{
    if (code >= 0 && code <= 18)
        return listColors[size_t(code)];
    if (code == 19) {
        if (cycles.rainbow >= 6 || cycles.rainbow < 0)
            cycles.rainbow = 0;
        ++cycles.rainbow;
        return rainbow[size_t(cycles.rainbow - 1)];
    }
    if (code == 20) {
        if (cycles.pastel >= 9 || cycles.pastel < 0)
            cycles.pastel = 0;
        ++cycles.pastel;
        return pastel[size_t(cycles.pastel - 1)];
    }
    if (code >= -6 && code <= -1)
        return rainbow[size_t(-code - 1)];
    return code;
}

QColor toQColor(int32_t bgr)
{
    const auto v = uint32_t(bgr);
    return QColor(int(v & 0xff), int((v >> 8) & 0xff), int((v >> 16) & 0xff));
}

} // namespace ColorCodes
