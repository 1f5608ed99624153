#pragma once

#include <QSizeF>

struct PageLayout;

// Where the parts of a recipe page go: the columns of a strip, the height of
// one record's slot, the size a picture is drawn at.
namespace PageGeometry {

// Tall pages (the footer lies at least a page width down) put the picture
// beside the attributes; wide pages have three columns.
bool isTall(const PageLayout &layout);

struct Columns
{
    double attrRight;   // where the attribute column ends
    double pictureLeft; // where the picture box starts
};
Columns columns(const PageLayout &layout, double left, double right);

// The height of one record's slot for print layouts 1 to 7.
double slotHeight(int layoutType, const PageLayout &layout);

// The size a picture is drawn at in a box (both in device pixels): a smaller
// picture is enlarged until it meets the box's width or height, a larger one
// shrunk until it fits.
QSizeF fitPicture(QSizeF box, QSizeF picture);

} // namespace PageGeometry
