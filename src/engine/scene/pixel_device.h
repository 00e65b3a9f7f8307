#pragma once

#include <QPaintDevice>
#include <QPainter>
#include <QTransform>

namespace tivora::engine {

// Whether the painter paints pixels with its axes kept upright (moved and scaled, not rotated or
// sheared), so a part may be drawn as a picture of whole device pixels and look the same.
inline bool paintsUprightPixels(const QPainter& painter) {
    const QPaintDevice* device = painter.device();
    if (device == nullptr || painter.deviceTransform().type() > QTransform::TxScale)
        return false;
    const int type = device->devType();
    return type == QInternal::Image || type == QInternal::Pixmap || type == QInternal::Widget;
}

} // namespace tivora::engine
