#pragma once

#include <QImage>
#include <QList>
#include <QSizeF>
#include <QString>

#include <functional>

class QPainter;

// Paints up to six recipe cards (dish name, then the picture or the
// ingredients) onto a surface, reading the rows from the recipe file.
class CardSheet
{
public:
    // Loads a picture file, decoded to fit bound (pixels); a null image when
    // there is none or it cannot be read.
    using PictureLoader = std::function<QImage(const QString &path, QSize bound)>;

    // Reads a picture file (the list window's loader).
    static QImage loadPicture(const QString &path, QSize bound);

    // Draws the cards of the rows with these record numbers, in the order
    // the rows stand in the file. dpi turns font points into pixels.
    // Returns, for each drawn card, the index into recordNos it shows.
    static QList<int> draw(QPainter &painter, const QSizeF &surface, qreal dpi,
                           const QString &recipeFile, const QList<int> &recordNos,
                           const PictureLoader &loader);
};
