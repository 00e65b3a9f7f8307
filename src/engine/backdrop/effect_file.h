#pragma once

#include <QByteArray>
#include <QColor>
#include <QPointF>
#include <QString>
#include <optional>
#include <vector>

namespace tivora::engine {

// A background effect file (".eff"): an animated overlay described in a few lines of text.
//
//   TVEFFECT 1                         the signature line
//   name=Snow                          optional, shown nowhere but useful to people
//   # a comment                        lines starting with "#" and blank lines are ignored
//   particles shape=flake count=70 size=2-5 ...
//   rays count=7 x=20 y=-10 ...
//   glow x=50 y=40 radius=120 ...
//
// Every other line is a layer: its kind, then settings "name=value" separated by blanks. A range
// is written "low-high" (or one number for both). Colours are "0xRRGGBB", several joined by ",".
// Positions x and y are per cent of the graph area, so an effect fits any graph size; sizes and
// speeds are stage units. Layers are drawn in the order they are written. data/README.md lists
// every setting.
struct EffectRange {
    double low = 0;
    double high = 0;
};

enum class ParticleShape { Dot, Bubble, Flake, Star, Spark, Square, Ring };

struct EffectLayer {
    enum class Kind { Particles, Rays, Glow } kind = Kind::Particles;
    // particles
    ParticleShape shape = ParticleShape::Dot;
    int count = 30;
    EffectRange size{2, 5};
    std::vector<QColor> colors{QColor(Qt::white)};
    EffectRange opacity{60, 100};
    double angle = 90; // direction of travel, degrees clockwise from right
    EffectRange speed{10, 30};
    double sway = 0; // sideways swing, stage units
    double swayPeriod = 4000;
    double spin = 0;    // degrees per second
    double twinkle = 0; // period of a brightness pulse in ms; 0 none
    quint32 seed = 1;
    // rays and glow
    QPointF origin{50, 50}; // per cent of the area
    double width = 8;       // degrees of one ray
    double length = 600;    // ray length, or glow radius
    double swing = 10;      // degrees the rays swing to and fro
    double period = 8000;   // ms of one swing or pulse
};

struct EffectFile {
    QString name;
    std::vector<EffectLayer> layers;

    // Parses an effect file. On failure gives nothing and, when error is given, says what is wrong
    // and on which line.
    static std::optional<EffectFile> parse(const QByteArray& bytes, QString* error = nullptr);
};

} // namespace tivora::engine
