#include "engine/pie/pie_shadow_node.h"

#include <QPainter>
#include <QRadialGradient>

namespace tivora::engine {

PieShadowNode::PieShadowNode(QRectF ellipse, double opacity, Track reveal)
    : m_ellipse(ellipse)
    , m_opacity(opacity)
    , m_reveal(std::move(reveal)) {}

void PieShadowNode::paint(QPainter& painter, Millis time) const {
    const double reveal = m_reveal.at(time);
    if (reveal <= 0 || m_ellipse.isEmpty())
        return;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(m_opacity * reveal);
    // Draw a unit circle stretched to the ellipse, so the fade follows the ellipse's shape.
    painter.translate(m_ellipse.center());
    painter.scale(m_ellipse.width() / 2.0, m_ellipse.height() / 2.0);
    QRadialGradient fade(QPointF(0, 0), 1.0);
    fade.setColorAt(0.0, QColor(0, 0, 0, 200));
    fade.setColorAt(0.7, QColor(0, 0, 0, 150));
    fade.setColorAt(1.0, QColor(0, 0, 0, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(fade);
    painter.drawEllipse(QPointF(0, 0), 1.0, 1.0);
}

} // namespace tivora::engine
