#include "engine/scene/raster_cache_node.h"

#include "engine/scene/device_pixels.h"
#include "engine/scene/drawn_items.h"

#include <QMutex>
#include <QPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <vector>

namespace tivora::engine {
namespace {

// Pictures of parts that may look the same in the next layout of the graph. The preview lays the
// graph out afresh after every edit; when an edit leaves a part as it was (a header typed, a note
// moved), its picture is found here instead of being drawn again. A few are kept, the last used
// first, and none larger than a large screen.
class PictureShelf {
public:
    struct Label {
        std::size_t fingerprint;
        QTransform transform;
        double pixelRatio;
        QRectF bounds;
        int renderHints;
        bool operator==(const Label&) const = default;
    };

    QImage find(const Label& label) {
        const QMutexLocker lock(&m_mutex);
        const auto kept = std::ranges::find(m_pictures, label, &Kept::label);
        if (kept == m_pictures.end())
            return {};
        std::rotate(m_pictures.begin(), kept, kept + 1);
        return m_pictures.front().picture;
    }
    void keep(const Label& label, const QImage& picture) {
        if (picture.sizeInBytes() > kLargestKept)
            return;
        const QMutexLocker lock(&m_mutex);
        m_pictures.insert(m_pictures.begin(), {label, picture});
        if (m_pictures.size() > kKept)
            m_pictures.pop_back();
    }

private:
    static constexpr std::size_t kKept = 4;
    static constexpr qsizetype kLargestKept = qsizetype{1920} * 1080 * 4;
    struct Kept {
        Label label;
        QImage picture;
    };
    QMutex m_mutex;
    std::vector<Kept> m_pictures;
};

PictureShelf& shelf() {
    static PictureShelf pictures;
    return pictures;
}

} // namespace

RasterCacheNode::RasterCacheNode(std::unique_ptr<SceneNode> child, QRectF bounds,
                                 Uncovered uncovered)
    : m_child(std::move(child))
    , m_bounds(bounds)
    , m_uncovered(std::move(uncovered)) {}

RasterCacheNode::RasterCacheNode(std::unique_ptr<SceneNode> child, QRectF bounds, Reshaped reshaped)
    : m_child(std::move(child))
    , m_bounds(bounds)
    , m_reshaped(std::move(reshaped)) {}

QPointF RasterCacheNode::preparePicture(const QPainter& painter) const {
    const double ratio = painter.device()->devicePixelRatio();
    const QTransform device = painter.transform() * QTransform::fromScale(ratio, ratio);
    // Whole pixels of movement only move the picture; anything else draws it afresh.
    const QPoint shift(int(std::floor(device.dx())), int(std::floor(device.dy())));
    const Key key{device * QTransform::fromTranslate(-shift.x(), -shift.y()), ratio};
    if (m_picture.isNull() || !(key == m_key)) {
        const QRect area = key.transform.mapRect(m_bounds).toAlignedRect();
        // A part of the picture, given in the picture's own pixels.
        const auto pictureOf = [&](QRect part) {
            QImage picture(part.size().expandedTo({1, 1}), QImage::Format_ARGB32_Premultiplied);
            picture.fill(Qt::transparent);
            QPainter cache(&picture);
            cache.setRenderHints(painter.renderHints());
            cache.setTransform(key.transform * QTransform::fromTranslate(-area.left() - part.left(),
                                                                         -area.top() - part.top()));
            m_child->paint(cache, m_child->endTime());
            return picture;
        };
        const QRect whole(QPoint(0, 0), area.size().expandedTo({1, 1}));
        const auto fingerprint = m_child->settledFingerprint();
        const PictureShelf::Label label{fingerprint.value_or(0), key.transform, ratio, m_bounds,
                                        int(painter.renderHints())};
        m_picture = fingerprint ? shelf().find(label) : QImage();
        if (m_picture.isNull()) {
            if (m_paintedInHalves) {
                m_picture = QImage(whole.size(), QImage::Format_ARGB32_Premultiplied);
                m_picture.fill(Qt::transparent);
                QPainter halves(&m_picture);
                drawInHalves(halves, whole, true, pictureOf);
            } else {
                m_picture = pictureOf(whole);
            }
            m_picture.setDevicePixelRatio(ratio);
            if (fingerprint)
                shelf().keep(label, m_picture);
        }
        m_pictureAt = area.topLeft();
        m_key = key;
    }
    return QPointF(m_pictureAt + shift) / ratio;
}

void RasterCacheNode::paint(QPainter& painter, Millis time) const {
    const bool settled = time >= m_child->endTime();
    if ((!settled && !m_uncovered && !m_reshaped) || !paintsUprightPixels(painter)) {
        m_child->paint(painter, time);
        return;
    }
    const QTransform stage = painter.transform();
    const QPointF at = preparePicture(painter);
    painter.save();
    if (!settled && m_uncovered)
        painter.setClipPath(m_uncovered(time), Qt::IntersectClip);
    if (!settled && m_reshaped) {
        // The picture's pixels back to the stage, reshaped there, and out to the device again.
        painter.setTransform(QTransform::fromTranslate(at.x(), at.y()) * stage.inverted() *
                             m_reshaped(time) * stage);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QPointF(0, 0), m_picture);
    } else {
        painter.resetTransform();
        painter.drawImage(at, m_picture);
    }
    painter.restore();
}

// The picture only ever shows the part as it stands at time (uncovered or stretched the same way).
void RasterCacheNode::inspect(DrawnItems& items, Millis time) const {
    m_child->inspect(items, time);
}

} // namespace tivora::engine
