#pragma once

#include <QPointF>
#include <QString>

#include <cstdint>

class SettingsFile;

// The layout in force for the current paper format. Fields are named after
// their settings keys; the lower-case ones are derived.
struct PageLayout
{
    // Main section
    int16_t YOHAKU = 0;
    int32_t AMIKAKE_COLOR = 0;
    int32_t LINE_COLOR = 0;
    int32_t HEAD_LINE_COLOR = 0;
    int32_t HEAD_COLOR = 0;
    int32_t DEFAULT_COLOR = 0;
    int32_t DATA_COLOR = 0;
    int16_t KAZARI = 0;
    int16_t ANAAKE = 0;
    int32_t KIRITORI_COLOR = 0;
    int16_t TENSEN = 0;
    int16_t DAISI = 0;
    int32_t DAISI_COLOR = 0;
    float YOUSI_PLUS = 0;
    int16_t HAKUSI = 0;
    int16_t TABSTOP = 4;

    // The format's own section
    int16_t LEFT = 0;
    int16_t WIDTH = 0;
    int16_t HEAD_HEIGHT = 0;
    int16_t DATA_HEIGHT = 0;
    int16_t FOOT_HEIGHT = 0; // in force: moved down when footDownOn
    QString HEAD_FONTNAME;
    float HEAD_FONTSIZE = 0;
    QString DATA_FONTNAME;
    float DATA_FONTSIZE = 0;
    QString DEFAULT_FONTNAME;
    float DEFAULT_FONTSIZE = 0;
    // Where this printer puts the refill against the real one, in tenths of
    // a millimetre, front and back of the sheet; 0 when never set.
    int16_t ALIGN_FRONT_X = 0;
    int16_t ALIGN_FRONT_Y = 0;
    int16_t ALIGN_BACK_X = 0;
    int16_t ALIGN_BACK_Y = 0;

    // Derived
    int16_t footDownOn = 0;      // FOOT_DOWN >= 0: print down to the paper's bottom edge
    int16_t footHeightSaved = 0; // FOOT_HEIGHT as stored
    int16_t usableHeight = 0;    // HEIGHT - YOHAKU
    int16_t fourUpSheet = 0;     // paper 15 and 16

    bool operator==(const PageLayout &) const = default;
};

namespace LayoutSettings {

// Leading-number parse of a settings value: leading blanks skipped, the
// longest numeric prefix, "&H" for hexadecimal; 0 when there is none.
double parseNumber(const QString &text);
// Rounds halves to the even neighbour and clamps to the type's range.
int16_t toInt16(double value);
int32_t toInt32(double value);

// Fills the layout for paper format n (per-format fields kept when n is out of range).
void loadPageLayout(const SettingsFile &settings, int paperNumber, PageLayout &layout);
// Writes every format's defaults; keeps YOUSI, FOOT_DOWN and a filled QVPOST.
void writeLayoutDefaults(SettingsFile &settings, int currentPaperNumber);
// Writes the paper number and the layout in force; false (lastError() says
// why) when the settings file could not be written.
bool saveLayoutSettings(SettingsFile &settings, int paperNumber, const PageLayout &layout);

// The alignment shift of one side of the sheet, millimetres (x right, y down).
QPointF alignmentOffsetMm(const PageLayout &layout, bool back);

// "&H" + upper-case hexadecimal without leading zeros.
QString hexText(int32_t value);
// Shortest decimal form (9, 10.5).
QString numberText(double value);

} // namespace LayoutSettings
