#pragma once

#include "engine/scene/scene.h"

#include <QColor>
#include <QFont>
#include <QPolygonF>
#include <QStaticText>
#include <memory>
#include <vector>

namespace tivora::engine {

// A text of the pie (a slice label or value), shaped once at layout. It fades in once the opening
// sweep has passed its slice, and is fully there when the sweep closes.
struct PieText {
    QString text;
    QFont font;
    QColor color;
    QPointF topLeft;
    double revealAt = 0; // sweep degrees at which it starts to show
    bool raised = false; // drawn with a soft dark edge, for values on coloured slices
    int slice = 0;       // its slice's place in the graph, from 1
    QString fullText;    // before any shortening
};

// A line from a slice's rim to its label.
struct PieLeader {
    QPolygonF line;
    QColor color;
    double revealAt = 0;
};

// Every label, value and leader line of a pie.
class PieLabelsNode : public SceneNode {
public:
    PieLabelsNode(std::vector<PieText> texts, std::vector<PieLeader> leaders, Track sweep);
    void paint(QPainter& painter, Millis time) const override;
    Millis endTime() const override;
    void inspect(DrawnItems& items, Millis time) const override;
    // Each text and leader as a node of its own, fading in as it does here: for writers that
    // animate every part alone rather than the whole as it changes at each label.
    std::vector<std::unique_ptr<SceneNode>> oneByOne() const;

private:
    // When a text or leader starts to fade in and how long it takes.
    struct Fade {
        Millis from = 0;
        Millis length = 0;
    };
    // The moment the sweep first reaches degrees.
    Millis reachedAt(double degrees) const;
    Fade fadeFor(double revealAt) const;
    static double opacityAt(const Fade& fade, Millis time);

    std::vector<PieText> m_texts;
    std::vector<QStaticText> m_shaped;
    std::vector<Fade> m_textFades;
    std::vector<PieLeader> m_leaders;
    std::vector<Fade> m_leaderFades;
    Track m_sweep; // revealed degrees
};

} // namespace tivora::engine
