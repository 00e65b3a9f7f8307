#include "engine/backdrop/picture_cache.h"

#include <QFileInfo>
#include <QMutexLocker>
#include <algorithm>

namespace tivora::engine {

QImage PictureCache::picture(const QString& path, QSize size,
                             QImage (*decode)(const QString&, QSize)) {
    const QFileInfo file(path);
    const QString key = file.absoluteFilePath();
    const qint64 fileSize = file.size();
    const QDateTime modified = file.lastModified();
    {
        const QMutexLocker lock(&m_mutex);
        const auto found = std::find_if(m_entries.begin(), m_entries.end(), [&](const Entry& e) {
            return e.path == key && e.fileSize == fileSize && e.modified == modified &&
                   e.size == size;
        });
        if (found != m_entries.end()) {
            Entry entry = std::move(*found);
            m_entries.erase(found);
            m_entries.push_front(std::move(entry));
            return m_entries.front().image;
        }
    }
    // Decoded without the lock held, so that other layouts need not wait for a large picture.
    QImage image = decode(path, size);
    const QMutexLocker lock(&m_mutex);
    std::erase_if(m_entries, [&](const Entry& e) { return e.path == key && e.size == size; });
    m_entries.push_front({key, fileSize, modified, size, image});
    if (m_entries.size() > kMostKept)
        m_entries.pop_back();
    return image;
}

std::size_t PictureCache::keptCount() const {
    const QMutexLocker lock(&m_mutex);
    return m_entries.size();
}

PictureCache& PictureCache::shared() {
    static PictureCache cache;
    return cache;
}

} // namespace tivora::engine
