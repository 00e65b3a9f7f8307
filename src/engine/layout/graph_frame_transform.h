#pragma once

#include "engine/layout/graph_layout.h"

#include <QTransform>
#include <algorithm>

namespace tivora::engine {

// The graph's own scale (about a centre, by default the plot area's) and move, as a painter
// transform. Everything drawn as part of the graph (series, pie, backdrop) is laid out in the
// unscaled plot area and painted through this.
inline QTransform graphFrameTransform(const GraphFrame& frame, double scale, QPointF centre) {
    QTransform transform;
    transform.translate(centre.x() + frame.offset.x(), centre.y() + frame.offset.y());
    transform.scale(scale, scale);
    transform.translate(-centre.x(), -centre.y());
    return transform;
}

inline QTransform graphFrameTransform(const GraphFrame& frame) {
    return graphFrameTransform(frame, frame.scale, frame.plotArea.center());
}

// The same, with the scale held back where the graph's extent would leave the stage or reach
// under the header band: whatever size and move are asked for, the whole graph is seen.
inline QTransform graphFrameTransform(const GraphFrame& frame, const QRectF& extent,
                                      QPointF centre) {
    // A graph pushed almost off the stage keeps a size that can still be read.
    constexpr double kSmallestScale = 0.25;
    const QRectF& reach = frame.reach;
    const QPointF moved = centre + frame.offset;
    double scale = frame.scale;
    const auto limit = [&scale](double room, double length) {
        if (length > 0.5)
            scale = std::min(scale, std::max(room, 0.0) / length);
    };
    limit(moved.x() - reach.left(), centre.x() - extent.left());
    limit(reach.right() - moved.x(), extent.right() - centre.x());
    limit(moved.y() - reach.top(), centre.y() - extent.top());
    limit(reach.bottom() - moved.y(), extent.bottom() - centre.y());
    return graphFrameTransform(frame, std::max(scale, kSmallestScale), centre);
}

inline QTransform graphFrameTransform(const GraphFrame& frame, const QRectF& extent) {
    return graphFrameTransform(frame, extent, frame.plotArea.center());
}

} // namespace tivora::engine
