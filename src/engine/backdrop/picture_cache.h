#pragma once

#include <QDateTime>
#include <QImage>
#include <QMutex>
#include <QSize>
#include <QString>
#include <deque>

namespace tivora::engine {

// The pictures decoded lately, kept for the next layout. The designer lays its graph out afresh on
// every edit, and decoding a large photo takes far longer than the rest of a layout; a picture is
// decoded again only when its file changes or it is wanted at another size. Only a few are kept,
// the least recently used going first, so the memory held stays small.
class PictureCache {
public:
    static constexpr std::size_t kMostKept = 8;

    // The picture decoded from file path to fit within size, decoding it when no kept one serves.
    QImage picture(const QString& path, QSize size, QImage (*decode)(const QString&, QSize));
    std::size_t keptCount() const;

    static PictureCache& shared();

private:
    struct Entry {
        QString path;
        qint64 fileSize;
        QDateTime modified;
        QSize size;
        QImage image;
    };

    mutable QMutex m_mutex;
    std::deque<Entry> m_entries; // most recently used first
};

} // namespace tivora::engine
