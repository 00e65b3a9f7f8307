#pragma once

#include "engine/scene/track.h"
#include "export/svg_element.h"

#include <QTransform>
#include <vector>

namespace tivora::engine {
class SceneNode;
}

namespace tivora::exporting {

class SvgDefinitions;

// A node's drawing at one moment as SVG elements, painted by the node's own paint code through
// Qt's SVG generator and cleaned of what the generator repeats for every call (empty groups,
// identity transforms, fonts on groups without text). Gradients go to the shared definitions.
std::vector<SvgElement> snapshotNode(const engine::SceneNode& node, engine::Millis time,
                                     const QTransform& transform, SvgDefinitions& definitions);

// The attributes the generator puts on its outermost group, which every snapshot relies on.
SvgElement snapshotRootGroup();

} // namespace tivora::exporting
