#include "engine/scene/group_node.h"

#include "engine/scene/drawn_items.h"
#include "engine/scene/fingerprint.h"

#include <QPainter>
#include <algorithm>

namespace tivora::engine {

GroupNode::GroupNode(QTransform transform, std::optional<QRectF> clip)
    : m_transform(transform)
    , m_clip(clip) {}

void GroupNode::add(std::unique_ptr<SceneNode> node) {
    m_children.push_back(std::move(node));
}

void GroupNode::paint(QPainter& painter, Millis time) const {
    painter.setTransform(m_transform, true);
    if (m_clip)
        painter.setClipRect(*m_clip, Qt::IntersectClip);
    for (const auto& child : m_children) {
        painter.save();
        child->paint(painter, time);
        painter.restore();
    }
}

Millis GroupNode::endTime() const {
    return latestEndTime(m_children);
}

std::optional<std::size_t> GroupNode::settledFingerprint() const {
    Fingerprint fingerprint;
    fingerprint.add(m_transform).add(m_clip.value_or(QRectF()));
    if (!fingerprint.addSettled(m_children))
        return std::nullopt;
    return fingerprint.value();
}

void GroupNode::inspect(DrawnItems& items, Millis time) const {
    const DrawnItems::Within within(items, m_transform);
    for (const auto& child : m_children)
        child->inspect(items, time);
}

Millis GroupNode::cycleTime() const {
    Millis cycle = 0.0;
    for (const auto& child : m_children)
        cycle = std::max(cycle, child->cycleTime());
    return cycle;
}

QUrl GroupNode::linkAt(QPointF point, Millis time) const {
    bool invertible = false;
    const QPointF local = m_transform.inverted(&invertible).map(point);
    if (!invertible || (m_clip && !m_clip->contains(local)))
        return {};
    // The child painted last lies on top. (Reverse iterators rather than std::views::reverse,
    // which clang cannot use with this standard library.)
    for (auto child = m_children.rbegin(); child != m_children.rend(); ++child) {
        if (QUrl url = (*child)->linkAt(local, time); !url.isEmpty())
            return url;
    }
    return {};
}

} // namespace tivora::engine
