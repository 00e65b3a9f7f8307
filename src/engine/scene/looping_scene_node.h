#pragma once

#include "engine/scene/scene.h"

namespace tivora::engine {

// A whole scene played over and over: every period the inner scene starts again from its first
// frame.
class LoopingSceneNode : public SceneNode {
public:
    LoopingSceneNode(Scene scene, Millis period);
    void paint(QPainter& painter, Millis time) const override;
    Millis endTime() const override { return kForever; }
    QUrl linkAt(QPointF point, Millis time) const override;
    Millis cycleTime() const override { return m_period; }

private:
    Millis localTime(Millis time) const;

    Scene m_scene;
    Millis m_period;
};

} // namespace tivora::engine
