#pragma once

#include "print/pagegeometry.h"

#include <QString>

class DrawSurface;
class RecipeRecord;
struct PageLayout;

// Draws one recipe into its slot of a page, for print layouts 1 to 7.
class RecordPainter
{
public:
    struct Slot
    {
        int layoutType = 1;
        double left = 0;
        double right = 0;
        double top = 0;
        double height = 0;
    };

    RecordPainter(DrawSurface &surface, const PageLayout &layout);

    // Draws the record with the cursor at the slot's top. recipeFile is the
    // file's path, against which the picture's name is resolved. Returns
    // what did not fit of a layout-1 recipe's method and point texts (empty
    // when everything fitted or for other layouts).
    QString draw(const RecipeRecord &record, const Slot &slot, const QString &categoryLabel,
                 const QString &recipeFile);
    // True when the last draw dropped text or ran past the bottom of its
    // slot (the returned rest is not counted here).
    bool overflowed() const { return m_overflowed; }

private:
    void slotHead(const RecipeRecord &record);
    void attributes(const RecipeRecord &record);
    void pictureBox(const RecipeRecord &record, const QString &recipeFile);
    void grid();
    QString body(const RecipeRecord &record);
    void titleBand(const RecipeRecord &record);
    void noPictureBody(const RecipeRecord &record);
    void oneLine(const RecipeRecord &record);

    void nextLine();
    void ruleUnder();
    void wrappedLine(const QString &text);

    DrawSurface &m_s;
    const PageLayout &m_layout;
    Slot m_slot;
    PageGeometry::Columns m_columns{};
    double m_pictureBoxSize = 0;
    double m_attributesBottom = 0;
    double m_pictureBottom = 0;
    bool m_overflowed = false;
};
