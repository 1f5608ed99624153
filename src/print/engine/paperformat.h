#pragma once

#include <QString>

#include <span>

// One of the 25 refill paper formats and its default layout values.
struct PaperFormat
{
    int number;
    QString section; // settings section, e.g. "SIZE_BIBLE"
    QString caption; // as shown in the paper list, blanks included
    int LEFT;
    int WIDTH;
    int HEIGHT;
    int HEAD_HEIGHT;
    int DATA_HEIGHT;
    int FOOT_HEIGHT;
    int HEAD_FONTSIZE;
    int DEFAULT_FONTSIZE;
    int DATA_FONTSIZE;

    static constexpr int count = 25;
    // The four-up formats: four pages side by side on a landscape A4 sheet.
    static constexpr int chyoA4 = 15;
    static constexpr int chyoA7 = 16;

    static std::span<const PaperFormat> all();
    // nullptr when the number is outside 0 to 24.
    static const PaperFormat *byNumber(int number);
    // The order in which the defaults are written to the settings file.
    static std::span<const int> writeOrder();
};

// The default font names, the same for every format.
namespace PaperFonts {
extern const QString head;  // "ＭＳ ゴシック"
extern const QString deflt; // "ＭＳ ゴシック"
extern const QString data;  // "ＭＳ 明朝"
} // namespace PaperFonts
