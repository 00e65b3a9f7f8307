#pragma once

#include "engine/scene/scene.h"
#include "engine/scene/track.h"

#include <QColor>
#include <QFont>
#include <QStaticText>
#include <vector>

namespace tivora::engine {

// The value labels of every series of a graph, in one font, each at the place layout found for it.
// A label waits for its series to grow and fades in at the end, or, when it counts, rides on its
// bar or point from the baseline, counting up to its value.
class ValueLabelsNode : public SceneNode {
public:
    struct Label {
        QString text;
        QPointF origin;      // top-left corner once grown
        double travel = 0.0; // how far below (above for negative values) origin it starts
        double width = 0.0;
        QColor color;
        std::size_t track = 0;
        bool counts = false;
        bool shortForm = false;
        double value = 0.0;
        int decimals = 0;
    };

    ValueLabelsNode(const QFont& font, std::vector<Track> tracks, std::vector<Label> labels);

    bool isEmpty() const { return m_labels.empty(); }
    const std::vector<Label>& labels() const { return m_labels; }
    const QFont& font() const { return m_font; }
    void paint(QPainter& painter, Millis time) const override;
    Millis endTime() const override;

private:
    QFont m_font;
    std::vector<Track> m_tracks;
    std::vector<Label> m_labels;
    std::vector<QStaticText> m_texts; // one per label, shaped once
};

} // namespace tivora::engine
