#include "engine/scene/text_node.h"

#include <QFontMetricsF>
#include <QPainter>

namespace tivora::engine {

TextNode::TextNode(const QString& text, const QFont& font, const QColor& color, QPointF anchor,
                   Qt::Alignment alignment, double rotationDegrees, Track opacity)
    : m_text(text)
    , m_font(font)
    , m_color(color)
    , m_anchor(anchor)
    , m_rotation(rotationDegrees)
    , m_opacity(std::move(opacity)) {
    m_text.setTextFormat(Qt::PlainText);
    m_text.setPerformanceHint(QStaticText::AggressiveCaching);
    m_text.prepare(QTransform(), m_font);
    const QFontMetricsF metrics(m_font);
    m_origin = alignedOrigin({metrics.horizontalAdvance(text), metrics.height()}, alignment);
}

QPointF TextNode::alignedOrigin(QSizeF size, Qt::Alignment alignment) {
    QPointF origin;
    if (alignment & Qt::AlignHCenter)
        origin.setX(-size.width() / 2);
    else if (alignment & Qt::AlignRight)
        origin.setX(-size.width());
    if (alignment & Qt::AlignVCenter)
        origin.setY(-size.height() / 2);
    else if (alignment & Qt::AlignBottom)
        origin.setY(-size.height());
    return origin;
}

void TextNode::paint(QPainter& painter, Millis time) const {
    const double opacity = m_opacity.at(time);
    if (opacity <= 0.0)
        return;
    painter.setOpacity(painter.opacity() * opacity);
    painter.translate(m_anchor);
    if (m_rotation != 0.0)
        painter.rotate(m_rotation);
    painter.setFont(m_font);
    painter.setPen(m_color);
    painter.drawStaticText(m_origin, m_text);
}

void TextNode::inspect(DrawnItems& items, Millis time) const {
    if (!m_tag || m_opacity.at(time) <= 0.0)
        return;
    const QPointF baseline = m_origin + QPointF(0, QFontMetricsF(m_font).ascent());
    items.addText(*m_tag, m_text.text(), m_font, m_color, baseline, m_anchor, m_rotation);
}

} // namespace tivora::engine
