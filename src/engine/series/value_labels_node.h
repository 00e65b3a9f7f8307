#pragma once

#include "engine/scene/scene.h"
#include "engine/scene/track.h"

#include <QColor>
#include <QFont>
#include <QPainterPath>
#include <QStaticText>
#include <vector>

namespace tivora::engine {

// The value labels of every series of a graph, in one font per series, each at the place layout
// found for it and edged by a halo of the colour it stands on, so that a line or shading passing
// under it never breaks its digits. A label rides on its bar or point from the baseline and fades
// in as it arrives, or, when it counts, shows from the start, counting up to its value.
class ValueLabelsNode : public SceneNode {
public:
    struct Label {
        QString text;
        QPointF origin;      // top-left corner once grown
        double travel = 0.0; // how far below (above for negative values) origin it starts
        double width = 0.0;
        QColor color;
        QColor halo;
        bool pill = false;     // the halo colour fills a rounded box under the whole label
        std::size_t track = 0; // the series' place in the graph, from 0
        int column = 0;
        bool counts = false;
        bool shortForm = false;
        double value = 0.0;
        int decimals = 0;
    };

    // fonts and tracks: one per series, by track.
    ValueLabelsNode(std::vector<QFont> fonts, std::vector<Track> tracks, std::vector<Label> labels);

    bool isEmpty() const { return m_labels.empty(); }
    const std::vector<Label>& labels() const { return m_labels; }
    const QFont& fontOf(std::size_t track) const { return m_fonts[track]; }
    void paint(QPainter& painter, Millis time) const override;
    Millis endTime() const override;
    void inspect(DrawnItems& items, Millis time) const override;

private:
    // How a label shows at a moment: a counting label shows the value reached so far, rising with
    // its bar or point.
    struct Shown {
        double opacity = 0.0;
        bool counting = false;
        QString text;
        QPointF topLeft;
    };
    Shown shownAt(const Label& label, Millis time) const;

    std::vector<QFont> m_fonts;
    std::vector<Track> m_tracks;
    std::vector<Label> m_labels;
    std::vector<QStaticText> m_texts;  // one per label, shaped once
    std::vector<QPainterPath> m_halos; // one per label at rest, outlined once
};

} // namespace tivora::engine
