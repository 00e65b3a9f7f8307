#pragma once

#include "engine/scene/drawn_items.h"
#include "engine/scene/scene.h"

#include <QColor>
#include <QFont>
#include <QStaticText>
#include <optional>

namespace tivora::engine {

// One line of text, measured and shaped once at layout. It is placed by an anchor point and an
// alignment that says which point of the (rotated) text lies on the anchor.
class TextNode : public SceneNode {
public:
    TextNode(const QString& text, const QFont& font, const QColor& color, QPointF anchor,
             Qt::Alignment alignment, double rotationDegrees = 0.0, Track opacity = 1.0);

    void paint(QPainter& painter, Millis time) const override;
    Millis endTime() const override { return m_opacity.endTime(); }
    // What the text is to a reader; an untagged text is left out of inspections.
    void setTag(ItemTag tag) { m_tag = std::move(tag); }
    void inspect(DrawnItems& items, Millis time) const override;

    // The offset from the anchor to the text's top-left corner before rotation.
    static QPointF alignedOrigin(QSizeF size, Qt::Alignment alignment);

private:
    QStaticText m_text;
    QFont m_font;
    QColor m_color;
    QPointF m_anchor;
    QPointF m_origin;
    double m_rotation;
    Track m_opacity;
    std::optional<ItemTag> m_tag;
};

} // namespace tivora::engine
