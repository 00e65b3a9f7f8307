#pragma once

#include "engine/layout/graph_layout.h"

#include <QTransform>
#include <algorithm>

namespace tivora::engine {

// The graph's own scale (about the centre of the plot area) and move, as a painter transform.
// Everything drawn as part of the graph (pie, backdrop) is laid out in the unscaled plot area and
// painted through this.
inline QTransform graphFrameTransform(const GraphFrame& frame, double scale) {
    const QPointF centre = frame.plotArea.center();
    QTransform transform;
    transform.translate(centre.x() + frame.offset.x(), centre.y() + frame.offset.y());
    transform.scale(scale, scale);
    transform.translate(-centre.x(), -centre.y());
    return transform;
}

inline QTransform graphFrameTransform(const GraphFrame& frame) {
    return graphFrameTransform(frame, frame.scale);
}

// The same, with the scale held back where the graph's extent would leave the stage: whatever
// size is asked for, the whole graph is seen.
inline QTransform graphFrameTransform(const GraphFrame& frame, const QRectF& extent) {
    const QPointF centre = frame.plotArea.center();
    const QPointF moved = centre + frame.offset;
    double scale = frame.scale;
    const auto limit = [&scale](double room, double reach) {
        if (reach > 1e-9)
            scale = std::min(scale, std::max(room, 0.0) / reach);
    };
    limit(moved.x(), centre.x() - extent.left());
    limit(kStageSize.width() - moved.x(), extent.right() - centre.x());
    limit(moved.y(), centre.y() - extent.top());
    limit(kStageSize.height() - moved.y(), extent.bottom() - centre.y());
    return graphFrameTransform(frame, std::max(scale, 0.25));
}

} // namespace tivora::engine
