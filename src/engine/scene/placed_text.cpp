#include "engine/scene/placed_text.h"

#include "engine/scene/text_fit.h"
#include "engine/scene/text_node.h"

#include <QTransform>

namespace tivora::engine {

QRectF PlacedText::bounds() const {
    const QSizeF size = textSize(text, font);
    const QRectF local(TextNode::alignedOrigin(size, alignment), size);
    QTransform transform;
    transform.translate(anchor.x(), anchor.y());
    transform.rotate(rotation);
    return transform.mapRect(local);
}

std::unique_ptr<SceneNode> PlacedText::node() const {
    auto node = std::make_unique<TextNode>(text, font, color, anchor, alignment, rotation);
    if (tag)
        node->setTag(*tag);
    return node;
}

} // namespace tivora::engine
