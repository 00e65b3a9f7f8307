#include "engine/scene/paragraph_node.h"

#include <QPainter>
#include <QTextOption>

namespace tivora::engine {

ParagraphNode::ParagraphNode(const QString& text, const QFont& font, const QColor& color,
                             QPointF topCentre, double width)
    : m_text(text)
    , m_font(font)
    , m_color(color)
    , m_topLeft(topCentre.x() - width / 2, topCentre.y()) {
    m_text.setTextFormat(Qt::PlainText);
    m_text.setTextWidth(width);
    QTextOption option(Qt::AlignHCenter);
    option.setWrapMode(QTextOption::WordWrap);
    m_text.setTextOption(option);
    m_text.prepare(QTransform(), m_font);
}

void ParagraphNode::paint(QPainter& painter, Millis /*time*/) const {
    painter.setFont(m_font);
    painter.setPen(m_color);
    painter.drawStaticText(m_topLeft, m_text);
}

} // namespace tivora::engine
