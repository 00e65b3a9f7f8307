#pragma once

#include "engine/scene/drawn_items.h"
#include "engine/scene/scene.h"

#include <QBrush>
#include <QPainterPath>
#include <QPen>
#include <optional>

namespace tivora::engine {

// A filled and outlined shape that does not move: backgrounds, bands, axes, grid lines.
class ShapeNode : public SceneNode {
public:
    ShapeNode(const QPainterPath& path, const QBrush& brush, QPen pen = Qt::NoPen);

    void paint(QPainter& painter, Millis time) const override;
    // What the shape is to a reader (a legend key); an untagged shape is left out of inspections.
    void setTag(ItemTag tag) { m_tag = std::move(tag); }
    void inspect(DrawnItems& items, Millis time) const override;

private:
    QPainterPath m_path;
    QBrush m_brush;
    QPen m_pen;
    std::optional<ItemTag> m_tag;
};

} // namespace tivora::engine
