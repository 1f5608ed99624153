#include "print/engine/paperformat.h"

#include <array>

using namespace Qt::StringLiterals;

namespace {

const std::array<PaperFormat, PaperFormat::count> formats = {{
    {0, u"SIZE_BIBLE"_s, u"バイブル   6穴(約17cm×9cm)"_s, 8, 88, 170, 4, 9, 156, 12, 9, 9},
    {1, u"SIZE_POKET"_s, u"ポケット   6穴(約12cm×8cm)"_s, 8, 80, 125, 4, 9, 112, 9, 8, 7},
    {2, u"SIZE_MINI"_s, u"ミニ       5穴(約10cm×6cm)"_s, 6, 57, 105, 3, 6, 91, 7, 7, 6},
    {3, u"SIZE_NARROW"_s, u"ナロー     6穴(約17cm×8cm)"_s, 8, 74, 170, 4, 9, 156, 12, 9, 9},
    {4, u"SIZE_TECHO8"_s, u"手帳       8穴(約14cm×8cm)"_s, 8, 81, 140, 8, 13, 126, 12, 9, 9},
    {5, u"SIZE_TECHO82"_s, u"手帳狭     8穴(約14cm×7cm)"_s, 8, 76, 140, 8, 13, 126, 12, 9, 9},
    {6, u"SIZE_A5"_s, u"Ａ５       6穴 20穴"_s, 12, 140, 190, 10, 17, 186, 18, 10, 9},
    {7, u"SIZE_A6"_s, u"Ａ６     "_s, 10, 95, 148, 4, 9, 134, 12, 9, 9},
    {8, u"SIZE_B5"_s, u"Ｂ５       26穴"_s, 4, 170, 250, 22, 30, 234, 15, 12, 12},
    {9, u"SIZE_B6"_s, u"Ｂ６     "_s, 8, 120, 180, 4, 9, 166, 12, 12, 12},
    {10, u"SIZE_A4"_s, u"Ａ４       2穴"_s, 17, 200, 292, 18, 26, 281, 15, 13, 13},
    {11, u"SIZE_A3"_s, u"Ａ３       "_s, 10, 290, 400, 32, 52, 400, 30, 24, 24},
    {12, u"SIZE_LETTER"_s, u"Letter     2穴"_s, 17, 206, 260, 15, 25, 250, 15, 12, 12},
    {13, u"SIZE_FUSEN_DAI"_s, u"付箋大     (約12cm×8cm)"_s, 1, 75, 128, 1, 5, 120, 9, 8, 8},
    {14, u"SIZE_CARD"_s, u"カード     (約8cm×6cm)"_s, 0, 55, 85, 2, 5, 80, 5, 5, 5},
    {15, u"SIZE_CHYO_A4"_s, u"A4横を４折 (超整理ｻｲｽﾞ)"_s, 0, 72, 200, 12, 22, 196, 12, 9, 9},
    {16, u"SIZE_CHYO_A7"_s, u"A4横を４折の高さ半分版"_s, 0, 72, 100, 1, 5, 96, 7, 6, 6},
    {17, u"SIZE_B7"_s, u"Ｂ７"_s, 6, 81, 126, 4, 8, 120, 8, 6, 6},
    {18, u"SIZE_TECHO9"_s, u"手帳大     (約15cm×9cm)"_s, 8, 89, 153, 8, 13, 149, 12, 9, 9},
    {19, u"SIZE_BIBLE_W"_s, u"バイブル広 (約17cm×10cm)"_s, 8, 101, 170, 4, 9, 156, 12, 9, 9},
    {20, u"SIZE_A5_L"_s, u"Ａ５長     (約21cm×14cm)"_s, 12, 140, 216, 10, 17, 210, 18, 10, 9},
    {21, u"SIZE_POST"_s, u"はがき     (約15cm×10cm)"_s, 6, 92, 148, 4, 9, 140, 12, 12, 12},
    {22, u"SIZE_POSTY"_s, u"はがき横   (約10cm×15cm)"_s, 0, 140, 94, 7, 12, 90, 9, 9, 9},
    {23, u"SIZE_CARDY"_s, u"カード横   (約13cm×18cm)"_s, 0, 177, 128, 5, 14, 120, 20, 10, 10},
    {24, u"SIZE_POKET7"_s, u"ポケット狭 (約12cm×7cm)"_s, 8, 70, 125, 4, 9, 112, 9, 8, 7},
}};

// SIZE_BIBLE, SIZE_BIBLE_W, SIZE_POKET, SIZE_POKET7, SIZE_MINI, ...
constexpr std::array<int, PaperFormat::count> order = {
    0, 19, 1, 24, 2, 3, 4, 5, 18, 7, 6, 20, 10, 11, 12, 8, 9, 21, 22, 17, 13, 14, 15, 16, 23,
};

} // namespace

namespace PaperFonts {
const QString head = u"ＭＳ ゴシック"_s;
const QString deflt = u"ＭＳ ゴシック"_s;
const QString data = u"ＭＳ 明朝"_s;
} // namespace PaperFonts

std::span<const PaperFormat> PaperFormat::all()
{
    return formats;
}

const PaperFormat *PaperFormat::byNumber(int number)
{
    if (number < 0 || number >= count)
        return nullptr;
    return &formats[std::size_t(number)];
}

std::span<const int> PaperFormat::writeOrder()
{
    return order;
}
