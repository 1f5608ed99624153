#pragma once

#include <QRectF>
#include <QSizeF>

// Where the six cards stand on the drawing surface (3 columns, 2 rows, in
// pixels) and how a picture is fitted into a card.
namespace CardGeometry {

constexpr int columns = 3;
constexpr int rows = 2;

// Card 0 to 5, left to right, then top to bottom; the rectangle runs from
// (left, top) to (right, bottom).
QRectF cardRect(const QSizeF &surface, int card);

// The picture's target size on a card: card width minus 4, height after
// the picture's aspect; a picture too tall for the card below its title is
// fitted to the card's height instead.
QSizeF pictureSize(const QRectF &card, const QSizeF &picture);
// Top-left corner of the picture on a card, below the dish name.
QPointF picturePosition(const QRectF &card);

// Card 0 to 5 under a point of the surface, or -1 outside.
int cardAt(const QSizeF &surface, const QPointF &point);

} // namespace CardGeometry
