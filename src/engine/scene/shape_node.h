#pragma once

#include "engine/scene/scene.h"

#include <QBrush>
#include <QPainterPath>
#include <QPen>

namespace tivora::engine {

// A filled and outlined shape that does not move: backgrounds, bands, axes, grid lines.
class ShapeNode : public SceneNode {
public:
    ShapeNode(QPainterPath path, QBrush brush, QPen pen = Qt::NoPen);

    void paint(QPainter& painter, Millis time) const override;

private:
    QPainterPath m_path;
    QBrush m_brush;
    QPen m_pen;
};

} // namespace tivora::engine
