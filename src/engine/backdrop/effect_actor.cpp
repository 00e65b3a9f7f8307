#include "engine/backdrop/effect_actor.h"

#include <QPainter>
#include <cmath>
#include <numbers>

namespace tivora::engine {
namespace {

double wrap(double value, double low, double length) {
    if (length <= 0)
        return value;
    double offset = std::fmod(value - low, length);
    if (offset < 0)
        offset += length;
    return low + offset;
}

} // namespace

double EffectWave::at(Millis time) const {
    if (!moves())
        return 0.0;
    return amplitude * std::sin(2.0 * std::numbers::pi * (time / period + phase));
}

void EffectLook::paint(QPainter& painter) const {
    if (!sprite.isNull()) {
        painter.drawImage(target, sprite);
        return;
    }
    painter.setPen(Qt::NoPen);
    painter.fillPath(shape, brush);
}

QPointF EffectActor::position(Millis time) const {
    const QPointF drifted = start + velocity * (time / 1000.0);
    const QPointF wrapped(wrap(drifted.x(), wrapBox.left(), wrapBox.width()),
                          wrap(drifted.y(), wrapBox.top(), wrapBox.height()));
    return wrapped + swayDirection * sway.at(time);
}

QTransform EffectActor::placement(Millis time) const {
    QTransform transform;
    const QPointF at = position(time);
    transform.translate(at.x(), at.y());
    const double angle = turn + spin * time / 1000.0 + swing.at(time);
    if (angle != 0)
        transform.rotate(angle);
    if (pulse.moves()) {
        const double scale = 1.0 + pulse.at(time);
        transform.scale(scale, scale);
    }
    return transform;
}

double EffectActor::opacityAt(Millis time) const {
    return opacity * (1.0 + flicker.at(time));
}

} // namespace tivora::engine
