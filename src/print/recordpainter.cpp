#include "print/recordpainter.h"

#include "editor/recipepicture.h"
#include "print/engine/drawsurface.h"
#include "print/engine/framedecoration.h"
#include "print/engine/pagelayout.h"
#include "print/engine/textlayout.h"
#include "print/recipepagetexts.h"
#include "recipe/reciperecord.h"

#include <QImage>

#include <cmath>

using namespace Qt::StringLiterals;
using namespace RecipePageTexts;

namespace {

const QString crlf = u"\r\n"_s;
constexpr double twipsPerMm = 56.7;

// Whole millimetres, halves to the even neighbour.
double roundEven(double v)
{
    return std::nearbyint(v);
}

} // namespace

RecordPainter::RecordPainter(DrawSurface &surface, const PageLayout &layout)
    : m_s(surface), m_layout(layout)
{}

QString RecordPainter::draw(const RecipeRecord &record, const Slot &slot,
                            const QString &categoryLabel, const QString &recipeFile)
{
    m_slot = slot;
    m_overflowed = false;
    m_columns = PageGeometry::columns(m_layout, slot.left, slot.right);
    m_pictureBoxSize = slot.layoutType == 1 ? slot.right - m_columns.pictureLeft : slot.height;
    m_s.setCurrentY(slot.top + 0.5);

    switch (slot.layoutType) {
    case 1:
    case 2:
    case 3:
    case 4: {
        slotHead(record);
        attributes(record);
        pictureBox(record, recipeFile);
        if (slot.layoutType != 1) {
            // The attribute list ran on into the next slot or the footer.
            if (m_attributesBottom > slot.top + slot.height)
                m_overflowed = true;
            Decoration::drawTitleBand(m_s, m_layout, categoryTitle(categoryLabel), slot.left,
                                      slot.right);
            return {};
        }
        const QString rest = body(record);
        titleBand(record);
        return rest;
    }
    case 5:
        noPictureBody(record);
        titleBand(record);
        return {};
    default:
        oneLine(record);
        return {};
    }
}

void RecordPainter::nextLine()
{
    m_s.setCurrentX(m_slot.left);
    m_s.setCurrentY(m_s.getCurrentY() + 1);
}

void RecordPainter::ruleUnder()
{
    const double y = m_s.getCurrentY() + 0.5;
    Decoration::drawRule(m_s, m_layout, -1, m_slot.left, y, m_columns.attrRight - 2, y,
                         m_layout.LINE_COLOR);
}

void RecordPainter::wrappedLine(const QString &text)
{
    nextLine();
    TextLayout::printWrapped(m_s, text + crlf, m_columns.attrRight - 1);
    ruleUnder();
}

void RecordPainter::slotHead(const RecipeRecord &r)
{
    Decoration::drawRule(m_s, m_layout, 1, m_slot.left, m_slot.top, m_slot.right, m_slot.top,
                         m_layout.LINE_COLOR);
    m_s.setFontSize(m_layout.DEFAULT_FONTSIZE - 1);
    m_s.setFontName(m_layout.DEFAULT_FONTNAME);
    // Layout 1 has the dish name in its title band.
    if (m_slot.layoutType != 1)
        wrappedLine(r.field(RecipeRecord::DishName));
}

void RecordPainter::attributes(const RecipeRecord &r)
{
    using F = RecipeRecord;
    m_s.setFontSize(m_layout.DATA_FONTSIZE - 1);
    m_s.setFontName(m_layout.DATA_FONTNAME);
    const QString &sub = r.field(F::MainIngredient);
    wrappedLine(sub.isEmpty() ? r.field(F::MainCategory)
                              : r.field(F::MainCategory) + ingredientSeparator + sub);
    nextLine();
    m_s.printLine(purposeLabel + r.field(F::Purpose));
    ruleUnder();
    wrappedLine(cuisineLabel + r.field(F::Cuisine));
    wrappedLine(costLabel + r.field(F::Cost));
    wrappedLine(effortLine(r));
    wrappedLine(calorieLine(r));
    if (!r.field(F::Keyword).isEmpty())
        wrappedLine(keywordLabel + r.field(F::Keyword));
    wrappedLine(authorLabel + r.field(F::Author));
    m_attributesBottom = m_s.getCurrentY();
}

void RecordPainter::pictureBox(const RecipeRecord &r, const QString &recipeFile)
{
    const QString path = RecipePicture::findImageFile(recipeFile, r.field(RecipeRecord::Picture));
    // A picture that cannot be read gets the grid too, never the previous one.
    const QImage picture = RecipePicture::loadRecipePicture(path);
    if (picture.isNull()) {
        grid();
        return;
    }
    const double left = m_columns.pictureLeft;
    const double top = m_slot.top + 2;
    const double toPixelsX = twipsPerMm / m_s.getTwipsPerPixelX();
    const double toPixelsY = twipsPerMm / m_s.getTwipsPerPixelY();
    const QSizeF box((m_slot.right - left) * toPixelsX, m_slot.height * toPixelsY);
    const QSizeF drawn = PageGeometry::fitPicture(box, picture.size());
    m_s.blitPicture(picture, left * toPixelsX, top * toPixelsY, drawn.width(), drawn.height(), 0, 0,
                    picture.width(), picture.height());
    m_pictureBottom = (top * toPixelsY + drawn.height()) / toPixelsY;
}

void RecordPainter::grid()
{
    const double right = m_slot.right;
    const double pictureLeft = m_columns.pictureLeft;
    const double top = m_slot.top + 2;
    const double gridBottom = top + 4 * std::floor((m_pictureBoxSize - 3) / 4);
    const double minX = roundEven(pictureLeft);
    for (double x = right; x >= minX; x -= 4)
        Decoration::drawRule(m_s, m_layout, -1, x, top, x, gridBottom, m_layout.LINE_COLOR);

    const double gridLeft = right - 4 * std::floor((right - pictureLeft) / 4);
    const double maxY = roundEven(top + m_pictureBoxSize - 3);
    double y = roundEven(top);
    m_pictureBottom = y;
    for (; y <= maxY; y += 4) {
        Decoration::drawRule(m_s, m_layout, -1, gridLeft, y, right, y, m_layout.LINE_COLOR);
        m_pictureBottom = y;
    }
}

QString RecordPainter::body(const RecipeRecord &r)
{
    using F = RecipeRecord;
    const PageLayout &l = m_layout;
    const double left = m_slot.left;
    const double right = m_slot.right;
    double bodyRight = right;

    if (l.WIDTH < l.FOOT_HEIGHT) {
        if (m_attributesBottom + 10 < m_pictureBottom)
            bodyRight = m_columns.pictureLeft; // room below the attributes
        else if (m_attributesBottom < m_pictureBottom)
            m_attributesBottom = m_pictureBottom;
        m_s.setCurrentX(left);
        m_s.setCurrentY(m_attributesBottom + 1);
    } else {
        // The ingredients take the middle column from the top.
        bodyRight = m_columns.pictureLeft;
        m_s.setCurrentX(m_columns.attrRight);
        m_s.setCurrentY(l.DATA_HEIGHT + 2);
    }
    const double headingX = m_s.getCurrentX();
    m_s.setForeColor(l.DEFAULT_COLOR);
    m_s.printLine(ingredientsHeading + servingsText(r.field(F::Servings)));
    m_s.setForeColor(l.DATA_COLOR);
    m_s.setCurrentX(headingX + 3);
    TextLayout::printWrapped(m_s, r.field(F::Ingredients) + crlf, bodyRight - 1);
    if (m_s.getCurrentY() > l.FOOT_HEIGHT)
        m_overflowed = true;

    double y = std::max(m_s.getCurrentY(), m_attributesBottom);
    if (!(l.WIDTH > l.FOOT_HEIGHT))
        y = std::max(y, m_pictureBottom);
    m_s.setCurrentY(y + 2);

    // A section below the picture gets the whole width. Wide pages start the
    // method beside the picture, which a tall picture may still reach down to.
    const auto section = [&](const QString &heading, const QString &text, double bottom) {
        const double y = m_s.getCurrentY();
        if (y > m_pictureBoxSize - 20 && y >= m_pictureBottom)
            bodyRight = right;
        m_s.setCurrentX(left);
        m_s.setForeColor(l.DEFAULT_COLOR);
        m_s.printLine(heading);
        m_s.setForeColor(l.DATA_COLOR);
        m_s.setCurrentX(left + 3);
        return TextLayout::layoutTextBox(m_s, l, text, bodyRight - 1, bottom);
    };
    QString rest = section(methodHeading, r.field(F::Method), l.FOOT_HEIGHT);
    // Numbered steps that all fitted leave only their marker: the point
    // section still has its place on this page.
    if (TextLayout::nothingLeft(rest)) {
        if (!rest.isEmpty())
            m_s.printLine(QString()); // numbered steps leave the cursor on their last line
        m_s.setCurrentY(m_s.getCurrentY() + 2);
        rest = section(pointHeading, r.field(F::Tips), l.FOOT_HEIGHT - 1);
        if (TextLayout::nothingLeft(rest))
            rest.clear();
    } else {
        rest += pointHeading + crlf + r.field(F::Tips);
    }
    return rest;
}

void RecordPainter::titleBand(const RecipeRecord &r)
{
    const PageLayout &l = m_layout;
    const double left = m_slot.left;
    const double right = m_slot.right;
    m_s.setDrawStyle(0);
    m_s.setDrawWidth(1);
    // The shading is an RGB value, never a colour code.
    m_s.fillBoxRgb(left, l.HEAD_HEIGHT - 0.5, right, l.DATA_HEIGHT - 0.5, l.AMIKAKE_COLOR);
    Decoration::drawBoxFrame(m_s, 1, left, l.HEAD_HEIGHT - 0.5, right, l.DATA_HEIGHT - 0.5,
                             l.LINE_COLOR);
    m_s.setFontName(l.HEAD_FONTNAME);
    m_s.setFontSize(l.HEAD_FONTSIZE);
    m_s.setForeColor(l.HEAD_COLOR);
    const QString &name = r.field(RecipeRecord::DishName);
    double x = left + 0.5;
    if (l.KAZARI == 9) {
        const double width = m_s.measureTextWidth(name);
        if (width < (right - left) - 3)
            x = left + 0.5 + ((right - left) - width) / 2;
    }
    m_s.setCurrentX(x);
    m_s.setCurrentY(l.HEAD_HEIGHT);
    m_s.printText(name);
    if (m_slot.layoutType == 1) {
        m_s.setFontName(l.DATA_FONTNAME);
        m_s.setFontSize(l.DATA_FONTSIZE - 1);
        m_s.setForeColor(l.DATA_COLOR);
    } else {
        m_s.setFontName(l.DEFAULT_FONTNAME);
        m_s.setFontSize(l.DEFAULT_FONTSIZE);
        m_s.setForeColor(l.DEFAULT_COLOR);
    }
}

void RecordPainter::noPictureBody(const RecipeRecord &r)
{
    using F = RecipeRecord;
    const PageLayout &l = m_layout;
    const double left = m_slot.left;
    const double right = m_slot.right;
    nextLine();
    // What runs past the footer is not carried over; it is dropped rather
    // than printed across the footer and the cut line.
    const auto section = [&](const QString &heading, const QString &text) {
        if (m_s.getCurrentY() + 2 * DrawSurface::fontHalfHeightMm(m_s.getFontSize()) >
            l.FOOT_HEIGHT) {
            m_overflowed = true;
            return;
        }
        m_s.setForeColor(l.DATA_COLOR);
        m_s.printLine(heading);
        m_s.setForeColor(l.DEFAULT_COLOR);
        m_s.setCurrentX(left + 2);
        if (!TextLayout::printWrapped(m_s, text + crlf, right - 1, l.FOOT_HEIGHT))
            m_overflowed = true;
    };
    const auto nextSection = [&] {
        m_s.setCurrentX(left);
        m_s.setCurrentY(m_s.getCurrentY() + 2);
    };
    section(ingredientsHeading + servingsText(r.field(F::Servings)), r.field(F::Ingredients));
    nextSection();
    section(methodHeading, r.field(F::Method));
    if (!r.field(F::Tips).trimmed().isEmpty()) {
        nextSection();
        section(pointHeading, r.field(F::Tips));
    }
    if (!r.field(F::Remarks).trimmed().isEmpty()) {
        nextSection();
        section(remarksHeading, r.field(F::Remarks));
    }
}

void RecordPainter::oneLine(const RecipeRecord &r)
{
    const PageLayout &l = m_layout;
    if (m_slot.layoutType == 6) {
        const double y = m_s.getCurrentY();
        Decoration::drawRule(m_s, l, 1, m_slot.left, y, m_slot.right, y, l.LINE_COLOR);
    }
    m_s.setFontSize(l.DEFAULT_FONTSIZE - 1);
    m_s.setFontName(l.DEFAULT_FONTNAME);
    m_s.setCurrentX(m_slot.left);
    m_s.setCurrentY(m_s.getCurrentY() + 1);
    m_s.printLine(r.field(RecipeRecord::DishName));
}
