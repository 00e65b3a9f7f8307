#pragma once

#include "engine/scene/track.h"

#include <QPainterPath>
#include <QPointF>
#include <QSizeF>
#include <QUrl>
#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <vector>

class QPainter;

namespace tivora::engine {
class DrawnItems;
}

namespace tivora::engine {

// The stage every graph is laid out on, in stage units; players scale it to their size.
inline constexpr QSizeF kStageSize{700.0, 475.0};

// Something drawn on the stage. Nodes are built once at layout with everything measured and
// decided; painting only evaluates their tracks at the given time.
// Where a node shows one of the graph's values once its animation has ended: the area it covers
// on the stage, and the value's place in the graph (series and column, or for a pie series 0 and
// the slice).
struct ValueMark {
    QPainterPath area;
    std::size_t series = 0;
    std::size_t item = 0;
};

class SceneNode {
public:
    virtual ~SceneNode() = default;
    virtual void paint(QPainter& painter, Millis time) const = 0;
    // When this node stops changing; kForever for a node that loops.
    virtual Millis endTime() const { return 0.0; }
    // The address a click at point opens, if this node has one there.
    virtual QUrl linkAt(QPointF /*point*/, Millis /*time*/) const { return {}; }
    // The address the whole node opens, for writers that turn a node into a link of its own.
    virtual QUrl link() const { return {}; }
    // How long one round of a node that loops takes; 0 when it does not loop or has no round.
    virtual Millis cycleTime() const { return 0.0; }
    // How the node looks once its animation has ended, as a fingerprint: nodes that give equal
    // ones look the same then, so a picture of one serves the other. None when it cannot tell.
    virtual std::optional<std::size_t> settledFingerprint() const { return std::nullopt; }
    // Reports what the node draws at time that a reader of the picture sees as a thing of its
    // own (a text, a bar, a line); backgrounds, grids and shading report nothing.
    virtual void inspect(DrawnItems& /*items*/, Millis /*time*/) const {}
    // The values the node shows, for writers that let a reader point at each one.
    virtual std::vector<ValueMark> valueMarks() const { return {}; }
};

// When the last of nodes stops changing.
template <typename Nodes> Millis latestEndTime(const Nodes& nodes) {
    Millis end = 0.0;
    for (const auto& node : nodes)
        end = std::max(end, node->endTime());
    return end;
}

// Layers are painted from first to last; within a layer nodes paint in the order they were added.
enum class Layer {
    Background, // stage colour
    Backdrop,   // background images
    Plot,       // plot area, axes, series, pie
    Effect,     // animated overlay
    Titles,     // header, footer, axis titles
    Annotation, // notes
    Count
};

class Scene {
public:
    void add(Layer layer, std::unique_ptr<SceneNode> node);
    void paint(QPainter& painter, Millis time) const;
    Millis endTime() const;
    // When every animation that does end has ended; looping nodes are left out.
    Millis settledTime() const;
    QUrl linkAt(QPointF point, Millis time) const;
    void inspect(DrawnItems& items, Millis time) const;
    bool isEmpty() const;
    // The longest round of any looping node; 0 when none has one.
    Millis cycleTime() const;
    // A layer's nodes in painting order, for writers that turn the scene into other forms.
    const std::vector<std::unique_ptr<SceneNode>>& nodes(Layer layer) const {
        return m_layers[std::size_t(layer)];
    }

private:
    std::array<std::vector<std::unique_ptr<SceneNode>>, std::size_t(Layer::Count)> m_layers;
};

} // namespace tivora::engine
