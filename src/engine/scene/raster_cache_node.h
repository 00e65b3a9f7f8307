#pragma once

#include "engine/scene/scene.h"

#include <QImage>
#include <QPainterPath>
#include <QRectF>
#include <QTransform>
#include <functional>
#include <memory>

namespace tivora::engine {

// Keeps the finished look of a part of the scene that has stopped changing (a pie once it has
// opened, the notes once they are in) as a picture at the device's resolution, so a still frame
// costs one picture copy instead of hundreds of gradient fills. A part whose animation only
// uncovers its finished look (the pie's opening sweep) gives the area uncovered at each time, and
// plays from the picture too, and so does a part whose animation only stretches its finished look
// (series growing from their baseline), given as the transform from the finished look to the look
// at each time. Otherwise, until the part settles, and on devices that are not pixels (SVG, PDF),
// the part is painted as it is.
class RasterCacheNode : public SceneNode {
public:
    using Uncovered = std::function<QPainterPath(Millis)>;
    using Reshaped = std::function<QTransform(Millis)>;

    RasterCacheNode(std::unique_ptr<SceneNode> child, QRectF bounds, Uncovered uncovered = {});
    RasterCacheNode(std::unique_ptr<SceneNode> child, QRectF bounds, Reshaped reshaped);
    void paint(QPainter& painter, Millis time) const override;
    Millis endTime() const override { return m_child->endTime(); }
    QUrl linkAt(QPointF point, Millis time) const override { return m_child->linkAt(point, time); }
    void inspect(DrawnItems& items, Millis time) const override;
    // What it paints: on devices without pixels the part is painted as it is.
    const SceneNode& child() const { return *m_child; }
    // The area uncovered at each time, for a part whose animation only uncovers it; empty
    // otherwise.
    const Uncovered& uncovered() const { return m_uncovered; }
    // The part may be painted from two threads at once (it keeps nothing while painting): its
    // picture is then made in two halves at once.
    void paintInHalves() { m_paintedInHalves = true; }

private:
    struct Key {
        QTransform transform; // device transform, whole pixels of translation removed
        double pixelRatio = 0;
        bool operator==(const Key&) const = default;
    };
    // Brings the picture up to date for the painter's device transform; gives where it goes.
    QPointF preparePicture(const QPainter& painter) const;

    std::unique_ptr<SceneNode> m_child;
    QRectF m_bounds;
    Uncovered m_uncovered;
    Reshaped m_reshaped;
    mutable QImage m_picture;
    mutable QPoint m_pictureAt;
    mutable Key m_key;
    bool m_paintedInHalves = false;
};

} // namespace tivora::engine
