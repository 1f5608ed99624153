#include "viewer/cardgeometry.h"

#include <cmath>

namespace CardGeometry {

QRectF cardRect(const QSizeF &surface, int card)
{
    const int c = card % columns;
    const int r = card / columns;
    const double w = (surface.width() - 5) / columns;
    const double h = (surface.height() - 5) / rows;
    const double left = w * c + 5;
    const double top = h * r + 5;
    return QRectF(QPointF(left, top), QPointF(left + w - 5, top + h - 5));
}

QSizeF pictureSize(const QRectF &card, const QSizeF &picture)
{
    if (picture.width() <= 0 || picture.height() <= 0)
        return {};
    const double room = card.height() - 20;
    double w = card.width() - 4;
    double h = w * (picture.height() / picture.width()) - 2;
    if (h > room) {
        h = room - 2;
        w = h * (picture.width() / picture.height()) - 4;
    }
    return QSizeF(qMax(w, 0.0), qMax(h, 0.0));
}

QPointF picturePosition(const QRectF &card)
{
    return card.topLeft() + QPointF(2, 20);
}

int cardAt(const QSizeF &surface, const QPointF &point)
{
    if (surface.width() <= 0 || surface.height() <= 0 || point.x() < 0 || point.y() < 0)
        return -1;
    const int c = int(std::floor(point.x() / (surface.width() / columns)));
    const int r = int(std::floor(point.y() / (surface.height() / rows)));
    if (c >= columns || r >= rows)
        return -1;
    return r * columns + c;
}

} // namespace CardGeometry
