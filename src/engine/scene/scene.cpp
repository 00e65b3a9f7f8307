#include "engine/scene/scene.h"

#include <QPaintDevice>
#include <QPainter>
#include <QSemaphore>
#include <QThread>
#include <QThreadPool>
#include <algorithm>
#include <functional>

namespace tivora::engine {
namespace {

// Qt's raster engine hands every large fill to the global thread pool in pieces and waits for
// them, unless it already runs on one of that pool's threads. A frame makes hundreds of such
// fills (every bar, every shaded area), and on a machine of few, busy cores the hand-offs cost
// more than the fills: a frame on pixels is painted whole on one pool thread instead, in one
// hand-off, with exactly the pixels the fills would give anyway. The thread is reserved first,
// so the frame never queues behind other work of the pool (an export may be using it).
bool paintOnPoolThread(QPainter& painter, const std::function<void()>& paint) {
    const QPaintDevice* device = painter.device();
    if (device == nullptr || device->devType() != QInternal::Image)
        return false;
    QThreadPool* pool = QThreadPool::globalInstance();
    if (pool->contains(QThread::currentThread()))
        return false;
    QSemaphore done;
    pool->reserveThread();
    pool->startOnReservedThread([&paint, &done] {
        paint();
        done.release();
    });
    done.acquire();
    return true;
}

} // namespace

void Scene::add(Layer layer, std::unique_ptr<SceneNode> node) {
    m_layers[std::size_t(layer)].push_back(std::move(node));
}

void Scene::paint(QPainter& painter, Millis time) const {
    const auto paintLayers = [this, &painter, time] {
        for (const auto& layer : m_layers) {
            for (const auto& node : layer) {
                painter.save();
                node->paint(painter, time);
                painter.restore();
            }
        }
    };
    if (!paintOnPoolThread(painter, paintLayers))
        paintLayers();
}

Millis Scene::endTime() const {
    Millis end = 0.0;
    for (const auto& layer : m_layers)
        end = std::max(end, latestEndTime(layer));
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

void Scene::inspect(DrawnItems& items, Millis time) const {
    for (const auto& layer : m_layers) {
        for (const auto& node : layer)
            node->inspect(items, time);
    }
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
