#include "engine/series/value_labels_node.h"

#include "engine/series/axis_scale.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

namespace tivora::engine {
namespace {

// Labels that do not count fade in over the last part of their series' growth.
constexpr double kFadeFrom = 0.85;

} // namespace

ValueLabelsNode::ValueLabelsNode(const QFont& font, std::vector<Track> tracks,
                                 std::vector<Label> labels)
    : m_font(font)
    , m_tracks(std::move(tracks))
    , m_labels(std::move(labels)) {
    m_texts.reserve(m_labels.size());
    for (const Label& label : m_labels) {
        QStaticText text(label.text);
        text.setTextFormat(Qt::PlainText);
        text.prepare(QTransform(), m_font);
        m_texts.push_back(std::move(text));
    }
}

void ValueLabelsNode::paint(QPainter& painter, Millis time) const {
    const double baseOpacity = painter.opacity();
    painter.setFont(m_font);
    const QFontMetricsF metrics(m_font);
    for (std::size_t i = 0; i < m_labels.size(); ++i) {
        const Label& label = m_labels[i];
        const double grown = m_tracks[label.track].at(time);
        const double opacity = label.counts
                                   ? (grown > 0.0 ? 1.0 : 0.0)
                                   : std::clamp((grown - kFadeFrom) / (1.0 - kFadeFrom), 0.0, 1.0);
        if (opacity <= 0.0)
            continue;
        painter.setOpacity(baseOpacity * opacity);
        painter.setPen(label.color);
        if (label.counts && grown < 1.0) {
            const double value = label.value * grown;
            const QString text = label.shortForm ? formatShortNumber(value, label.decimals)
                                                 : formatNumber(value, label.decimals);
            const double width = metrics.horizontalAdvance(text);
            const QPointF origin(label.origin.x() + (label.width - width) / 2,
                                 label.origin.y() + label.travel * (1.0 - grown));
            painter.drawText(origin + QPointF(0, metrics.ascent()), text);
        } else {
            painter.drawStaticText(label.origin, m_texts[i]);
        }
    }
    painter.setOpacity(baseOpacity);
}

Millis ValueLabelsNode::endTime() const {
    Millis end = 0.0;
    for (const Track& track : m_tracks)
        end = std::max(end, track.endTime());
    return end;
}

} // namespace tivora::engine
