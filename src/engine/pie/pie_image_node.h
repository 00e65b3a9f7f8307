#pragma once

#include "engine/scene/scene.h"

#include <QImage>
#include <QRectF>

namespace tivora::engine {

// A picture laid over the top of the pie, cut to the pie's ellipse, at the chosen opacity.
class PieImageNode : public SceneNode {
public:
    PieImageNode(QImage image, QRectF ellipse, double opacity, Track reveal);
    void paint(QPainter& painter, Millis time) const override;
    Millis endTime() const override { return m_reveal.endTime(); }

private:
    QImage m_image;
    QRectF m_ellipse;
    QRectF m_source; // the part of the image that covers the ellipse, aspect kept
    double m_opacity;
    Track m_reveal; // 0..1
};

} // namespace tivora::engine
