#include "engine/series/value_labels_node.h"

#include "engine/scene/drawn_items.h"
#include "engine/series/axis_scale.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPathStroker>
#include <algorithm>

namespace tivora::engine {
namespace {

// Labels that do not count fade in over the last part of their series' growth.
constexpr double kFadeFrom = 0.85;
// How far the halo reaches beyond the glyphs.
constexpr double kHaloWidth = 3.0;

// A label that overhangs its bar, or lies over another series' area, stands on a pill of the
// colour its text was chosen for; others are edged by a halo of it.
QPainterPath haloOf(const QString& text, const QFont& font, QPointF topLeft, bool pill) {
    if (pill) {
        const QFontMetricsF metrics(font);
        QPainterPath box;
        const QRectF rect(topLeft, QSizeF(metrics.horizontalAdvance(text), metrics.height()));
        box.addRoundedRect(rect.adjusted(-2, 0, 2, 0), 3, 3);
        return box;
    }
    QPainterPath glyphs;
    glyphs.addText(topLeft + QPointF(0, QFontMetricsF(font).ascent()), font, text);
    QPainterPathStroker stroker;
    stroker.setWidth(kHaloWidth);
    stroker.setJoinStyle(Qt::RoundJoin);
    stroker.setCapStyle(Qt::RoundCap);
    return stroker.createStroke(glyphs).united(glyphs);
}

} // namespace

ValueLabelsNode::ValueLabelsNode(std::vector<QFont> fonts, std::vector<Track> tracks,
                                 std::vector<Label> labels)
    : m_fonts(std::move(fonts))
    , m_tracks(std::move(tracks))
    , m_labels(std::move(labels)) {
    m_texts.reserve(m_labels.size());
    m_halos.reserve(m_labels.size());
    for (const Label& label : m_labels) {
        const QFont& font = m_fonts[label.track];
        QStaticText text(label.text);
        text.setTextFormat(Qt::PlainText);
        text.prepare(QTransform(), font);
        m_texts.push_back(std::move(text));
        m_halos.push_back(label.halo.isValid() ? haloOf(label.text, font, label.origin, label.pill)
                                               : QPainterPath());
    }
}

ValueLabelsNode::Shown ValueLabelsNode::shownAt(const Label& label, Millis time) const {
    const double grown = m_tracks[label.track].at(time);
    Shown shown;
    shown.opacity = label.counts ? (grown > 0.0 ? 1.0 : 0.0)
                                 : std::clamp((grown - kFadeFrom) / (1.0 - kFadeFrom), 0.0, 1.0);
    shown.counting = label.counts && grown < 1.0;
    // Every label rides with its bar or point, so it never waits over empty room.
    const QPointF riding(0, label.travel * (1.0 - grown));
    if (!shown.counting) {
        shown.text = label.text;
        shown.topLeft = label.origin + riding;
        return shown;
    }
    const double value = label.value * grown;
    shown.text = label.shortForm ? formatShortNumber(value, label.decimals)
                                 : formatNumber(value, label.decimals);
    const double width = QFontMetricsF(m_fonts[label.track]).horizontalAdvance(shown.text);
    shown.topLeft = label.origin + riding + QPointF((label.width - width) / 2, 0);
    return shown;
}

void ValueLabelsNode::paint(QPainter& painter, Millis time) const {
    const double baseOpacity = painter.opacity();
    for (std::size_t i = 0; i < m_labels.size(); ++i) {
        const Label& label = m_labels[i];
        const Shown shown = shownAt(label, time);
        if (shown.opacity <= 0.0)
            continue;
        const QFont& font = m_fonts[label.track];
        painter.setOpacity(baseOpacity * shown.opacity);
        if (label.halo.isValid()) {
            const QPainterPath halo = shown.counting
                                          ? haloOf(shown.text, font, shown.topLeft, label.pill)
                                          : m_halos[i].translated(shown.topLeft - label.origin);
            painter.fillPath(halo, label.halo);
        }
        painter.setFont(font);
        painter.setPen(label.color);
        if (shown.counting)
            painter.drawText(shown.topLeft + QPointF(0, QFontMetricsF(font).ascent()), shown.text);
        else
            painter.drawStaticText(shown.topLeft, m_texts[i]);
    }
    painter.setOpacity(baseOpacity);
}

void ValueLabelsNode::inspect(DrawnItems& items, Millis time) const {
    for (const Label& label : m_labels) {
        const Shown shown = shownAt(label, time);
        if (shown.opacity <= 0.0)
            continue;
        const QFont& font = m_fonts[label.track];
        const QString full = formatNumber(label.value, label.decimals);
        items.addText({ItemKind::ValueLabel, int(label.track) + 1, label.column + 1, full},
                      shown.text, font, label.color,
                      shown.topLeft + QPointF(0, QFontMetricsF(font).ascent()));
    }
}

Millis ValueLabelsNode::endTime() const {
    Millis end = 0.0;
    for (const Track& track : m_tracks)
        end = std::max(end, track.endTime());
    return end;
}

} // namespace tivora::engine
