#include "viewer/cardsheet.h"

#include "editor/recipepicture.h"
#include "recipe/recipefilereader.h"
#include "recipe/recordcodec.h"
#include "viewer/cardgeometry.h"
#include "viewer/cardslots.h"
#include "viewer/cardtextwriter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace {

constexpr qreal titlePoints = 9.75;
constexpr qreal ingredientPoints = 9;

QFont cardFont(const QString &family, qreal points)
{
    QFont font(family);
    font.setPointSizeF(points);
    return font;
}

} // namespace

QImage CardSheet::loadPicture(const QString &path, QSize bound)
{
    return RecipePicture::loadRecipePicture(path, bound);
}

QList<int> CardSheet::draw(QPainter &painter, const QSizeF &surface, qreal dpi,
                           const QString &recipeFile, const QList<int> &recordNos,
                           const PictureLoader &loader)
{
    QList<int> drawn;
    if (recordNos.isEmpty())
        return drawn;
    const RecipeFileReader reader(recipeFile);

    const QFont titleFont = cardFont(u"ＭＳ ゴシック"_s, titlePoints);
    const QFont textFont = cardFont(u"ＭＳ 明朝"_s, ingredientPoints);
    QFont current = titleFont;
    CardTextWriter writer(
        0,
        [&](const QString &s) {
            return QFontMetricsF(current, painter.device()).horizontalAdvance(s);
        },
        [&](const QPointF &at, const QString &s) {
            painter.drawText(QRectF(at, QSizeF(surface.width(), writer.lineHeight() * 2)),
                             Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip | Qt::TextSingleLine,
                             s);
        });

    for (const RecipeFileReader::Row &row : reader.rows()) {
        if (drawn.size() >= CardSlots::maxCards)
            break;
        const qsizetype slot = recordNos.indexOf(row.recordNo);
        if (slot < 0 || drawn.contains(int(slot)))
            continue;
        const RecipeRecord record = RecordCodec::splitRecordLine(
            RecipeFileReader::decodeLine(reader.lines().at(row.lineIndex)));
        const QRectF card = CardGeometry::cardRect(surface, int(drawn.size()));
        drawn.append(int(slot));

        painter.setPen(QPen(Qt::black, 0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(card);

        current = titleFont;
        painter.setFont(current);
        painter.setPen(QColor(0, 0, 255));
        writer.setLineHeight(titlePoints * dpi / 72);
        writer.setPosition(card.topLeft() + QPointF(2, 2));
        writer.write(record.field(RecipeRecord::DishName), card.right(), card.bottom());
        writer.newLine();
        writer.moveDown(6);

        // A name without a folder lies beside the recipe file.
        const QString path =
            RecipePicture::pictureNamePath(recipeFile, record.field(RecipeRecord::Picture));
        // Decoded at the size it is drawn (in device pixels), not at the photo's own.
        const QSize room =
            (card.size() * painter.device()->devicePixelRatioF()).toSize().expandedTo(QSize(1, 1));
        const QImage picture = path.isEmpty() ? QImage() : loader(path, room);
        if (!picture.isNull()) {
            const QSizeF size = CardGeometry::pictureSize(card, QSizeF(picture.size()));
            painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
            painter.drawImage(QRectF(CardGeometry::picturePosition(card), size), picture);
        } else {
            // No picture, or one that cannot be read: the ingredients instead.
            current = textFont;
            painter.setFont(current);
            painter.setPen(Qt::black);
            writer.setLineHeight(ingredientPoints * dpi / 72);
            writer.setX(card.left() + 2);
            writer.write(record.field(RecipeRecord::Ingredients), card.right(), card.bottom());
        }
    }
    return drawn;
}
