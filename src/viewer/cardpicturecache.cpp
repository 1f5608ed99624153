#include "viewer/cardpicturecache.h"

#include <QFileInfo>

CardPictureCache::CardPictureCache(CardSheet::PictureLoader loader, qint64 maxBytes)
    : m_load(std::move(loader)), m_entries(qMax<qint64>(1, maxBytes / 1024))
{}

QImage CardPictureCache::picture(const QString &path, QSize bound)
{
    const QFileInfo info(path);
    const int wanted = qMax(bound.width(), bound.height());
    if (const Entry *e = m_entries.object(path)) {
        if (e->side >= wanted && e->fileSize == info.size() && e->modified == info.lastModified())
            return e->image;
    }
    int side = 256;
    while (side < wanted && side < (1 << 14))
        side *= 2;
    auto entry = std::make_unique<Entry>();
    entry->image = m_load(path, QSize(side, side));
    entry->side = side;
    entry->fileSize = info.size();
    entry->modified = info.lastModified();
    const QImage image = entry->image;
    m_entries.insert(path, entry.release(), qMax<qint64>(1, image.sizeInBytes() / 1024));
    return image;
}
