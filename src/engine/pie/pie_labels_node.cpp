#include "engine/pie/pie_labels_node.h"

#include "engine/scene/drawn_items.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

namespace tivora::engine {
namespace {

// How many sweep degrees a text takes to fade in.
constexpr double kFadeDegrees = 40.0;

} // namespace

PieLabelsNode::PieLabelsNode(std::vector<PieText> texts, std::vector<PieLeader> leaders,
                             Track sweep)
    : m_texts(std::move(texts))
    , m_leaders(std::move(leaders))
    , m_sweep(std::move(sweep)) {
    m_shaped.reserve(m_texts.size());
    for (const PieText& text : m_texts) {
        QStaticText shaped(text.text);
        shaped.setTextFormat(Qt::PlainText);
        shaped.setPerformanceHint(QStaticText::AggressiveCaching);
        shaped.prepare(QTransform(), text.font);
        m_shaped.push_back(shaped);
    }
}

double PieLabelsNode::fadeIn(double revealed, double revealAt) {
    // Labels near the end of the circle fade in over what is left of it, so that the last one
    // is fully there when the sweep closes, with the others.
    if (revealed >= 360.0)
        return 1.0;
    const double fade = std::clamp(360.0 - revealAt, 1.0, kFadeDegrees);
    return std::clamp((revealed - revealAt) / fade, 0.0, 1.0);
}

Millis PieLabelsNode::endTime() const {
    return m_sweep.endTime();
}

void PieLabelsNode::inspect(DrawnItems& items, Millis time) const {
    const double revealed = m_sweep.at(time);
    for (const PieText& text : m_texts) {
        if (fadeIn(revealed, text.revealAt) <= 0)
            continue;
        const QPointF baseline = text.topLeft + QPointF(0, QFontMetricsF(text.font).ascent());
        items.addText({ItemKind::PieLabel, text.slice, 0, text.fullText}, text.text, text.font,
                      text.color, baseline);
    }
}

void PieLabelsNode::paint(QPainter& painter, Millis time) const {
    const double revealed = m_sweep.at(time);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const PieLeader& leader : m_leaders) {
        const double opacity = fadeIn(revealed, leader.revealAt);
        if (opacity <= 0)
            continue;
        painter.setOpacity(opacity);
        painter.setPen(QPen(leader.color, 0.9));
        painter.drawPolyline(leader.line);
    }
    for (std::size_t i = 0; i < m_texts.size(); ++i) {
        const PieText& text = m_texts[i];
        const double opacity = fadeIn(revealed, text.revealAt);
        if (opacity <= 0)
            continue;
        painter.setOpacity(opacity);
        painter.setFont(text.font);
        if (text.raised) {
            painter.setPen(QColor(0, 0, 0, 110));
            painter.drawStaticText(text.topLeft + QPointF(0.8, 0.9), m_shaped[i]);
        }
        painter.setPen(text.color);
        painter.drawStaticText(text.topLeft, m_shaped[i]);
    }
}

} // namespace tivora::engine
