#include "engine/scene/looping_scene_node.h"

#include <algorithm>
#include <cmath>

namespace tivora::engine {

LoopingSceneNode::LoopingSceneNode(Scene scene, Millis period)
    : m_scene(std::move(scene))
    , m_period(std::max(period, 100.0)) {}

Millis LoopingSceneNode::localTime(Millis time) const {
    return std::fmod(std::max(time, 0.0), m_period);
}

void LoopingSceneNode::paint(QPainter& painter, Millis time) const {
    m_scene.paint(painter, localTime(time));
}

QUrl LoopingSceneNode::linkAt(QPointF point, Millis time) const {
    return m_scene.linkAt(point, localTime(time));
}

} // namespace tivora::engine
