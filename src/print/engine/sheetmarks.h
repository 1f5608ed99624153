#pragma once

#include <QList>

#include <cstdint>
#include <optional>

class DrawSurface;
struct PageLayout;

// The marks that turn a printed sheet into refills: cut lines, centre
// ticks, punch holes and blank refills in the unused margin.
namespace SheetMarks {

struct PunchPattern
{
    double radius;
    double inset;         // from the binding cut line
    QList<double> holesY; // before YOHAKU is taken off, top to bottom
};

// The hole pattern of a paper format; nothing for formats without holes.
std::optional<PunchPattern> punchPattern(int paperNumber);

// Mode 0: a sheet of two pages side by side; mode 5: after a two-page spread.
void drawSheetMarks(DrawSurface &surface, const PageLayout &layout, int paperNumber, int16_t mode);

} // namespace SheetMarks
