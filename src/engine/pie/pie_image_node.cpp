#include "engine/pie/pie_image_node.h"

#include "engine/backdrop/backdrop_files.h"

#include <QPainter>
#include <QPainterPath>

namespace tivora::engine {

PieImageNode::PieImageNode(QImage image, QRectF ellipse, double opacity, Track reveal)
    : m_image(std::move(image))
    , m_ellipse(ellipse)
    , m_source(coverSource(m_image.size(), ellipse.size()))
    , m_opacity(opacity)
    , m_reveal(std::move(reveal)) {}

void PieImageNode::paint(QPainter& painter, Millis time) const {
    const double reveal = m_reveal.at(time);
    if (reveal <= 0)
        return;
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    QPainterPath clip;
    clip.addEllipse(m_ellipse);
    painter.setClipPath(clip);
    painter.setOpacity(m_opacity * reveal);
    painter.drawImage(m_ellipse, m_image, m_source);
}

} // namespace tivora::engine
