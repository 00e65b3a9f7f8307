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

// The scale a graph laid out unscaled to extent is drawn at: as asked, held back to keep it in
// sight, but never below its own size when it was asked to be larger.
inline double graphScaleFor(const GraphFrame& frame, const QRectF& extent, QPointF centre) {
    const double scale = graphFrameTransform(frame, extent, centre).m11();
    return frame.scale >= 1.0 ? std::max(scale, 1.0) : scale;
}

// box scaled about centre: where a graph scaled so is laid out, so that its texts keep their
// sizes while its plot takes the scaled room.
inline QRectF scaledAbout(const QRectF& box, QPointF centre, double scale) {
    return QRectF(centre + (box.topLeft() - centre) * scale, box.size() * scale);
}

// The graph's move, held back along each direction where it would take extent out of reach.
inline QTransform movedWithin(const GraphFrame& frame, const QRectF& extent) {
    const QRectF& reach = frame.reach;
    const auto held = [](double move, double low, double high) {
        return low <= high ? std::clamp(move, low, high) : move;
    };
    return QTransform::fromTranslate(
        held(frame.offset.x(), reach.left() - extent.left(), reach.right() - extent.right()),
        held(frame.offset.y(), reach.top() - extent.top(), reach.bottom() - extent.bottom()));
}

} // namespace tivora::engine
