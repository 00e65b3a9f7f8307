#include "engine/backdrop/plot_shading.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

namespace tivora::engine {
namespace {

constexpr double kDeepest = 80.0;
// At the deepest shading the far end of the gradient lies this far from the base colour towards
// black: deep enough to read as shading, light enough to keep grid lines and labels readable.
constexpr double kDarkestBlend = 0.45;

QColor shaded(const QColor& base, double depth) {
    const double blend = std::clamp(depth, 0.0, kDeepest) / kDeepest * kDarkestBlend;
    const auto channel = [blend](int value) {
        return int(std::lround(value * (1.0 - blend)));
    };
    return QColor(channel(base.red()), channel(base.green()), channel(base.blue()), base.alpha());
}

QBrush linear(QPointF from, QPointF to, const QColor& light, const QColor& dark, bool mirrored) {
    QLinearGradient gradient(from, to);
    gradient.setColorAt(0.0, light);
    if (mirrored) {
        gradient.setColorAt(0.0, dark);
        gradient.setColorAt(0.5, light);
    }
    gradient.setColorAt(1.0, dark);
    return gradient;
}

QBrush radial(QPointF centre, double radius, const QColor& inner, const QColor& outer) {
    QRadialGradient gradient(centre, radius);
    gradient.setColorAt(0.0, inner);
    gradient.setColorAt(1.0, outer);
    return gradient;
}

} // namespace

QBrush shadingBrush(const QColor& base, Shading type, double depth, const QRectF& rect) {
    if (depth <= 0.0)
        return base;
    const QColor dark = shaded(base, depth);
    const double diagonal = std::hypot(rect.width(), rect.height());
    switch (type) {
    case Shading::Vertical1:
        return linear(rect.topLeft(), rect.bottomLeft(), base, dark, false);
    case Shading::Vertical2:
        return linear(rect.topLeft(), rect.bottomLeft(), base, dark, true);
    case Shading::Circular:
        return radial(rect.center(), diagonal / 2, base, dark);
    case Shading::ReversedCircular:
        return radial(rect.center(), diagonal / 2, dark, base);
    case Shading::Horizontal1:
        return linear(rect.topLeft(), rect.topRight(), base, dark, false);
    case Shading::Horizontal2:
        return linear(rect.topLeft(), rect.topRight(), base, dark, true);
    case Shading::Diagonal1:
        return linear(rect.topLeft(), rect.bottomRight(), base, dark, false);
    case Shading::Diagonal2:
        return linear(rect.topRight(), rect.bottomLeft(), base, dark, false);
    case Shading::Diagonal3:
        return linear(rect.bottomLeft(), rect.topRight(), base, dark, false);
    case Shading::Diagonal4:
        return linear(rect.bottomRight(), rect.topLeft(), base, dark, false);
    case Shading::SunburstTopLeft:
        return radial(rect.topLeft(), diagonal, base, dark);
    case Shading::SunburstTopRight:
        return radial(rect.topRight(), diagonal, base, dark);
    }
    return base;
}

} // namespace tivora::engine
