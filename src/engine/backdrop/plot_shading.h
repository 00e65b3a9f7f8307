#pragma once

#include <QBrush>
#include <QColor>
#include <QRectF>

namespace tivora::engine {

// The twelve ways the plot background can be shaded, in the editor's order.
enum class Shading {
    Vertical1,
    Vertical2,
    Circular,
    ReversedCircular,
    Horizontal1,
    Horizontal2,
    Diagonal1,
    Diagonal2,
    Diagonal3,
    Diagonal4,
    SunburstTopLeft,
    SunburstTopRight
};

// The brush that fills rect with base shaded by type; depth 0 (flat) .. 80 (deepest).
QBrush shadingBrush(const QColor& base, Shading type, double depth, const QRectF& rect);

} // namespace tivora::engine
