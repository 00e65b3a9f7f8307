#pragma once

#include "engine/scene/scene.h"

#include <QRectF>

namespace tivora::engine {

// The soft shadow the pie casts on the stage: a blurred-looking ellipse drawn with a radial fade,
// so it costs one fill per frame. It darkens in as the pie opens.
class PieShadowNode : public SceneNode {
public:
    PieShadowNode(QRectF ellipse, double opacity, Track reveal);
    void paint(QPainter& painter, Millis time) const override;
    Millis endTime() const override { return m_reveal.endTime(); }

private:
    QRectF m_ellipse;
    double m_opacity;
    Track m_reveal; // 0..1
};

} // namespace tivora::engine
