#include "engine/backdrop/backdrop_images_node.h"

#include "engine/backdrop/backdrop_files.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace tivora::engine {

BackdropImagesNode::BackdropImagesNode(std::vector<QImage> images, QRectF area, double opacity)
    : m_images(std::move(images))
    , m_area(area)
    , m_opacity(opacity) {
    for (const QImage& image : m_images)
        m_sources.push_back(coverSource(image.size(), area.size()));
}

void BackdropImagesNode::paintImage(QPainter& painter, std::size_t index, double opacity) const {
    if (opacity <= 0)
        return;
    painter.setOpacity(opacity);
    painter.drawImage(m_area, m_images[index], m_sources[index]);
}

void BackdropImagesNode::paint(QPainter& painter, Millis time) const {
    if (m_images.empty())
        return;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const std::size_t count = m_images.size();
    const double cycle = std::fmod(std::max(time, 0.0), kShowTime * double(count));
    const auto current = std::size_t(cycle / kShowTime) % count;
    const double local = cycle - double(current) * kShowTime;
    const double fade =
        count > 1 ? std::clamp((local - (kShowTime - kFadeTime)) / kFadeTime, 0.0, 1.0) : 0.0;
    // Painting the next picture over the current one at these two opacities gives the same
    // result as mixing them first and laying the mix over the background at the chosen opacity.
    const double next = m_opacity * fade;
    const double now = next < 1.0 ? m_opacity * (1.0 - fade) / (1.0 - next) : 0.0;
    paintImage(painter, current, now);
    paintImage(painter, (current + 1) % count, next);
}

} // namespace tivora::engine
