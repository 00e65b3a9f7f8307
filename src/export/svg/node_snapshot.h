#pragma once

#include "engine/scene/track.h"
#include "export/svg/svg_element.h"

#include <QPainterPath>
#include <QTransform>
#include <functional>
#include <optional>
#include <vector>

namespace tivora::engine {
class SceneNode;
}

namespace tivora::exporting {

class SvgDefinitions;

// A node's drawing at one moment as SVG elements, painted by the node's own paint code through
// Qt's SVG generator and cleaned of what the generator repeats for every call (empty groups,
// identity transforms, fonts on groups without text). Gradients go to the shared definitions;
// the clips the drawing was made under come back as clip paths named idPrefix + a number, the
// same names at every moment, so that a moving clip can be animated.
std::vector<SvgElement> snapshotNode(const engine::SceneNode& node, engine::Millis time,
                                     const QTransform& transform,
                                     const std::optional<QPainterPath>& clip,
                                     SvgDefinitions& definitions, const QString& idPrefix);

// The drawing that paint makes, as snapshotNode gives a node's.
std::vector<SvgElement> snapshotPainting(const std::function<void(QPainter&)>& paint,
                                         const QTransform& transform,
                                         const std::optional<QPainterPath>& clip,
                                         SvgDefinitions& definitions, const QString& idPrefix);

// The "d" attribute of an SVG path that draws path.
QString pathData(const QPainterPath& path);

// A clip path named id that cuts to clip.
SvgElement clipPathElement(const QPainterPath& clip, const QString& id);

// The attributes the generator puts on its outermost group, which every snapshot relies on.
SvgElement snapshotRootGroup();

} // namespace tivora::exporting
