#include "engine/scene/shape_node.h"

#include <QPainter>

namespace tivora::engine {

// QPainterPath and QBrush have no move constructor, so they are taken by reference and copied
// (a reference count) once.
ShapeNode::ShapeNode(const QPainterPath& path, const QBrush& brush, QPen pen)
    : m_path(path)
    , m_brush(brush)
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
