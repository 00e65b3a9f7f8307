#include "engine/scene/scene.h"

#include <QPainter>
#include <algorithm>

namespace tivora::engine {

void Scene::add(Layer layer, std::unique_ptr<SceneNode> node) {
    m_layers[std::size_t(layer)].push_back(std::move(node));
}

void Scene::paint(QPainter& painter, Millis time) const {
    for (const auto& layer : m_layers) {
        for (const auto& node : layer) {
            painter.save();
            node->paint(painter, time);
            painter.restore();
        }
    }
}

Millis Scene::endTime() const {
    Millis end = 0.0;
    for (const auto& layer : m_layers) {
        for (const auto& node : layer)
            end = std::max(end, node->endTime());
    }
    return end;
}

Millis Scene::settledTime() const {
    Millis settled = 0.0;
    for (const auto& layer : m_layers) {
        for (const auto& node : layer) {
            if (const Millis end = node->endTime(); end != kForever)
                settled = std::max(settled, end);
        }
    }
    return settled;
}

Millis Scene::cycleTime() const {
    Millis cycle = 0.0;
    for (const auto& layer : m_layers) {
        for (const auto& node : layer)
            cycle = std::max(cycle, node->cycleTime());
    }
    return cycle;
}

QUrl Scene::linkAt(QPointF point, Millis time) const {
    // The topmost node under the point wins.
    // Reverse iterators rather than std::views::reverse, which clang cannot use with this
    // standard library.
    for (auto layer = m_layers.rbegin(); layer != m_layers.rend(); ++layer) {
        for (auto node = layer->rbegin(); node != layer->rend(); ++node) {
            if (QUrl url = (*node)->linkAt(point, time); !url.isEmpty())
                return url;
        }
    }
    return {};
}

bool Scene::isEmpty() const {
    return std::ranges::all_of(m_layers, [](const auto& layer) { return layer.empty(); });
}

} // namespace tivora::engine
