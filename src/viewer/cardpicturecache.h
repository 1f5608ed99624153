#pragma once

#include "viewer/cardsheet.h"

#include <QCache>
#include <QDateTime>
#include <QImage>
#include <QSize>
#include <QString>

// Decoded card pictures, so that paging back and forth and resizing the
// viewer do not decode the same photos again. A picture is decoded for a
// square bound rounded up to a power of two (at least 256 pixels), so one
// decode serves every smaller card as well; a picture file that changed (in
// size or time) is read again.
class CardPictureCache
{
public:
    explicit CardPictureCache(CardSheet::PictureLoader loader = &CardSheet::loadPicture,
                              qint64 maxBytes = 128 * 1024 * 1024);

    // The picture for a card whose picture area is bound pixels.
    QImage picture(const QString &path, QSize bound);

private:
    struct Entry
    {
        QImage image;
        int side = 0; // the square bound it was decoded for
        qint64 fileSize = -1;
        QDateTime modified;
    };

    CardSheet::PictureLoader m_load;
    QCache<QString, Entry> m_entries; // cost in kilobytes
};
