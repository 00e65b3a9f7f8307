#pragma once

#include "engine/scene/scene.h"

#include <QRectF>
#include <QTransform>
#include <memory>
#include <optional>
#include <vector>

namespace tivora::engine {

// Nodes painted under one transform and, optionally, one clip rectangle in the group's own
// coordinates: the graph is laid out at full size and the group places and scales it on the stage.
class GroupNode : public SceneNode {
public:
    explicit GroupNode(QTransform transform, std::optional<QRectF> clip = std::nullopt);

    void add(std::unique_ptr<SceneNode> node);
    bool isEmpty() const { return m_children.empty(); }

    void paint(QPainter& painter, Millis time) const override;
    Millis endTime() const override;
    QUrl linkAt(QPointF point, Millis time) const override;
    Millis cycleTime() const override;
    std::optional<std::size_t> settledFingerprint() const override;
    void inspect(DrawnItems& items, Millis time) const override;

    const QTransform& transform() const { return m_transform; }
    const std::optional<QRectF>& clip() const { return m_clip; }
    const std::vector<std::unique_ptr<SceneNode>>& children() const { return m_children; }

private:
    QTransform m_transform;
    std::optional<QRectF> m_clip;
    std::vector<std::unique_ptr<SceneNode>> m_children;
};

} // namespace tivora::engine
