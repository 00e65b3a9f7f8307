#include "engine/scene/shape_node.h"

#include <QPainter>

namespace tivora::engine {

ShapeNode::ShapeNode(QPainterPath path, QBrush brush, QPen pen)
    : m_path(std::move(path))
    , m_brush(std::move(brush))
    , m_pen(std::move(pen)) {}

void ShapeNode::paint(QPainter& painter, Millis /*time*/) const {
    painter.setPen(m_pen);
    painter.setBrush(m_brush);
    painter.drawPath(m_path);
}

void ShapeNode::inspect(DrawnItems& items, Millis /*time*/) const {
    if (m_tag)
        items.addShape(*m_tag, m_path, m_brush.color());
}

} // namespace tivora::engine
