#include "print/pagegeometry.h"

#include "print/engine/drawsurface.h"
#include "print/engine/pagelayout.h"

namespace PageGeometry {

bool isTall(const PageLayout &layout)
{
    return layout.FOOT_HEIGHT >= layout.WIDTH;
}

Columns columns(const PageLayout &layout, double left, double right)
{
    const double w = right - left;
    if (isTall(layout)) {
        const double attrRight = w < 110 ? left + w * 0.5 : left + w * 3 / 5;
        return {attrRight, attrRight};
    }
    return {left + w * 1.2 / 4, left + w * 3 / 4};
}

double slotHeight(int layoutType, const PageLayout &layout)
{
    const double band = layout.FOOT_HEIGHT - layout.DATA_HEIGHT;
    switch (layoutType) {
    case 2:
    case 3:
    case 4:
        return band / layoutType - 1;
    case 6:
    case 7:
        return 2 * DrawSurface::fontHalfHeightMm(layout.DEFAULT_FONTSIZE) + 1;
    default:
        return band - 1;
    }
}

QSizeF fitPicture(QSizeF box, QSizeF picture)
{
    const double pw = picture.width();
    const double ph = picture.height();
    if (pw <= 0 || ph <= 0)
        return {};
    const double rx = box.width() / pw;
    if (rx >= 1) {
        const double ry = box.height() / ph;
        if (ry >= 1)
            return picture * std::min(rx, ry);
        return {pw * box.height() / ph, box.height()};
    }
    // Wider than the box: its width, unless that leaves it taller than the
    // box, where it would run over the next record or the footer.
    const QSizeF atWidth(box.width(), ph * box.width() / pw);
    if (atWidth.height() <= box.height())
        return atWidth;
    return {pw * box.height() / ph, box.height()};
}

} // namespace PageGeometry
