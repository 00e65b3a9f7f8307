#pragma once

#include "engine/scene/track.h"

#include <QBrush>
#include <QImage>
#include <QPainterPath>
#include <QRectF>
#include <QTransform>

class QPainter;

namespace tivora::engine {

// amplitude * sin(2 pi (t / period + phase)); still when either the amplitude or the period is 0.
struct EffectWave {
    double amplitude = 0;
    Millis period = 0;
    double phase = 0; // 0..1 of a period

    bool moves() const { return amplitude != 0 && period > 0; }
    double at(Millis time) const;
};

// What one moving part of an effect looks like at rest, drawn around its own origin: a sprite
// scaled into a square, or a shape filled with a brush.
struct EffectLook {
    QImage sprite;
    QRectF target;
    QPainterPath shape;
    QBrush brush;

    void paint(QPainter& painter) const;
};

// One particle, ray or glow of an effect. Its movement is made of a few simple movements that
// each repeat on a period of their own (a drift that wraps around a box, a sway, a spin, a swing,
// a pulse, a flicker), so that a frame is a pure function of time and a writer can describe every
// movement as a looping animation that plays exactly what the engine paints.
struct EffectActor {
    EffectLook look;
    QPointF start;    // where the look's origin is at time 0, before any wave
    QPointF velocity; // units per second; the position wraps around within wrapBox
    QRectF wrapBox;
    QPointF swayDirection; // a unit vector
    EffectWave sway;       // units along swayDirection
    double turn = 0;       // degrees at time 0
    double spin = 0;       // degrees per second
    EffectWave swing;      // degrees
    EffectWave pulse;      // scale 1 + pulse
    double opacity = 1;
    EffectWave flicker; // opacity * (1 + flicker)

    // The look's origin at time, its wrapped drift and sway included.
    QPointF position(Millis time) const;
    // The transform from the look's own coordinates to the node's at time.
    QTransform placement(Millis time) const;
    double opacityAt(Millis time) const;
};

} // namespace tivora::engine
