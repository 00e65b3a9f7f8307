#pragma once

#include "engine/notes/note_data.h"
#include "engine/scene/scene.h"

#include <QFont>
#include <QPainterPath>
#include <QStaticText>
#include <QTransform>
#include <vector>

namespace tivora::engine {

// One note over the graph: the line from its highlight spot, the spot, the note's shadow and
// panel, and its heading and body text. It pops in shortly after the graph starts; a click on it
// opens its URL.
class NoteNode : public SceneNode {
public:
    NoteNode(const NoteData& note, Millis appearAt);
    void paint(QPainter& painter, Millis time) const override;
    Millis endTime() const override { return m_appear.endTime(); }
    QUrl linkAt(QPointF point, Millis time) const override;
    QUrl link() const override { return m_url; }
    void inspect(DrawnItems& items, Millis time) const override;

private:
    struct Paragraph {
        QStaticText text;
        QFont font;
        QColor color;
        QPointF topLeft;
        QString fullText; // the whole heading or body the line is part of
    };
    // Notes grow out of their centre as they appear.
    QTransform appearing(double shown) const;
    void addText(const QStringList& lines, const QFont& font, const QColor& color, double top,
                 double bottom);
    QColor seenPanelColor() const;
    QPointF edgeTowards(QPointF point) const;
    void paintSpot(QPainter& painter) const;
    void paintPanel(QPainter& painter) const;

    NoteData m_note;
    QPainterPath m_shape;
    // The shadow where the panel does not cover it: a see-through panel would show it through.
    QPainterPath m_shadow;
    std::vector<Paragraph> m_paragraphs;
    QUrl m_url;
    QPointF m_lineEnd;
    Track m_appear; // 0..1
};

} // namespace tivora::engine
