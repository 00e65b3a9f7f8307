#pragma once

#include "engine/scene/drawn_items.h"

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <memory>
#include <optional>

namespace tivora::engine {

class SceneNode;

// A text whose place is decided but not yet a node, so that layout can measure where everything
// lands before building the scene.
struct PlacedText {
    QString text;
    QFont font;
    QColor color;
    QPointF anchor;
    Qt::Alignment alignment;
    double rotation = 0.0;
    std::optional<ItemTag> tag;

    QRectF bounds() const;
    std::unique_ptr<SceneNode> node() const;
};

} // namespace tivora::engine
