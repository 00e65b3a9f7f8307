#include "engine/pie/pie_labels_node.h"

#include "engine/scene/drawn_items.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

namespace tivora::engine {
namespace {

// A text fades in over this share of the opening, or over what is left of it when the sweep
// passes its slice later than that before the end.
constexpr double kFadeShare = 0.15;

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
        m_textFades.push_back(fadeFor(text.revealAt));
    }
    for (const PieLeader& leader : m_leaders)
        m_leaderFades.push_back(fadeFor(leader.revealAt));
}

Millis PieLabelsNode::reachedAt(double degrees) const {
    // The sweep only ever turns onwards, so the moment is found by halving.
    Millis early = 0;
    Millis late = m_sweep.endTime();
    if (m_sweep.at(early) >= degrees)
        return early;
    for (int step = 0; step < 40; ++step) {
        const Millis middle = (early + late) / 2;
        (m_sweep.at(middle) >= degrees ? late : early) = middle;
    }
    return late;
}

// The fade is timed, not measured in sweep degrees: the sweep slows down as it closes, and a
// label near the end of the circle would otherwise linger half faded until the last moment.
PieLabelsNode::Fade PieLabelsNode::fadeFor(double revealAt) const {
    const Millis end = m_sweep.endTime();
    const Millis opening = end - reachedAt(0.0);
    const Millis from = reachedAt(revealAt);
    return {from, std::min(opening * kFadeShare, end - from)};
}

double PieLabelsNode::opacityAt(const Fade& fade, Millis time) {
    if (time < fade.from)
        return 0.0;
    if (fade.length <= 0)
        return 1.0;
    return std::clamp((time - fade.from) / fade.length, 0.0, 1.0);
}

std::vector<std::unique_ptr<SceneNode>> PieLabelsNode::oneByOne() const {
    std::vector<std::unique_ptr<SceneNode>> parts;
    for (const PieLeader& leader : m_leaders)
        parts.push_back(std::make_unique<PieLabelsNode>(std::vector<PieText>{},
                                                        std::vector<PieLeader>{leader}, m_sweep));
    for (const PieText& text : m_texts)
        parts.push_back(std::make_unique<PieLabelsNode>(std::vector<PieText>{text},
                                                        std::vector<PieLeader>{}, m_sweep));
    return parts;
}

Millis PieLabelsNode::endTime() const {
    return m_sweep.endTime();
}

void PieLabelsNode::inspect(DrawnItems& items, Millis time) const {
    for (std::size_t i = 0; i < m_texts.size(); ++i) {
        const PieText& text = m_texts[i];
        if (opacityAt(m_textFades[i], time) <= 0)
            continue;
        const QPointF baseline = text.topLeft + QPointF(0, QFontMetricsF(text.font).ascent());
        items.addText({ItemKind::PieLabel, text.slice, 0, text.fullText}, text.text, text.font,
                      text.color, baseline);
    }
}

void PieLabelsNode::paint(QPainter& painter, Millis time) const {
    painter.setRenderHint(QPainter::Antialiasing);
    for (std::size_t i = 0; i < m_leaders.size(); ++i) {
        const PieLeader& leader = m_leaders[i];
        const double opacity = opacityAt(m_leaderFades[i], time);
        if (opacity <= 0)
            continue;
        painter.setOpacity(opacity);
        painter.setPen(QPen(leader.color, 0.9));
        painter.drawPolyline(leader.line);
    }
    for (std::size_t i = 0; i < m_texts.size(); ++i) {
        const PieText& text = m_texts[i];
        const double opacity = opacityAt(m_textFades[i], time);
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
