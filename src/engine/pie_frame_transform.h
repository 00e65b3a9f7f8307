#pragma once

#include "engine/graph_layout.h"

#include <QTransform>

namespace tivora::engine {

// The graph's own scale (about the centre of the plot area) and move, as a painter transform.
// Everything drawn as part of the graph (pie, backdrop) is laid out in the unscaled plot area and
// painted through this.
inline QTransform graphFrameTransform(const GraphFrame& frame) {
    const QPointF centre = frame.plotArea.center();
    QTransform transform;
    transform.translate(centre.x() + frame.offset.x(), centre.y() + frame.offset.y());
    transform.scale(frame.scale, frame.scale);
    transform.translate(-centre.x(), -centre.y());
    return transform;
}

} // namespace tivora::engine
