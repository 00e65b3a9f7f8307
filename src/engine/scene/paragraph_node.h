#pragma once

#include "engine/scene/scene.h"

#include <QColor>
#include <QFont>
#include <QStaticText>

namespace tivora::engine {

// Text wrapped to a width and centred line by line, shaped once at layout.
class ParagraphNode : public SceneNode {
public:
    ParagraphNode(const QString& text, const QFont& font, const QColor& color, QPointF topCentre,
                  double width);

    double height() const { return m_text.size().height(); }
    void paint(QPainter& painter, Millis time) const override;

private:
    QStaticText m_text;
    QFont m_font;
    QColor m_color;
    QPointF m_topLeft;
};

} // namespace tivora::engine
