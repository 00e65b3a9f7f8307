#pragma once

#include "engine/scene/track.h"

#include <QRectF>
#include <QTransform>
#include <optional>

namespace tivora::engine {
class SceneNode;
}

namespace tivora::exporting {

// Where a node clips its own drawing (a series to its plot, an effect to its area), found by
// painting it once onto a device that only watches the clip. The painter's SVG output leaves
// clipping out, so the writer has to put it back. nullopt when some drawing is not clipped.
std::optional<QRectF> clipOfNode(const engine::SceneNode& node, engine::Millis time,
                                 const QTransform& transform);

} // namespace tivora::exporting
