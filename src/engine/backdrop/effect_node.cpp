#include "engine/backdrop/effect_node.h"

#include "engine/backdrop/effect_sprite.h"
#include "engine/layout/graph_style.h"

#include <QPainter>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace tivora::engine {
namespace {

// A small, fast generator: the same seed gives the same effect on every machine.
class Random {
public:
    explicit Random(quint32 seed)
        : m_state(seed == 0 ? 0x9E3779B9u : seed) {}
    double next() {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return double(m_state) / 4294967296.0;
    }
    double in(const EffectRange& range) { return range.low + (range.high - range.low) * next(); }

private:
    quint32 m_state;
};

// The numbers one particle or ray draws from its layer's generator, in a fixed order so that the
// same seed places the same parts whatever kind they are.
struct Draw {
    QPointF start; // fraction of the box
    double size;
    double speed;
    double opacity; // 0..1
    double phase;   // 0..1
    double turn;    // degrees
    double pick;    // 0..1, which colour
};

Draw drawPart(Random& random, const EffectLayer& s) {
    Draw draw;
    draw.start = QPointF(random.next(), random.next());
    draw.size = random.in(s.size);
    draw.speed = random.in(s.speed);
    draw.opacity = random.in(s.opacity) / 100.0;
    draw.phase = random.next();
    draw.turn = random.next() * 360.0;
    draw.pick = random.next();
    return draw;
}

QPointF percentOf(const QRectF& area, const QPointF& percent) {
    return {area.left() + area.width() * percent.x() / 100.0,
            area.top() + area.height() * percent.y() / 100.0};
}

// A twinkle dims a particle to 30 % of its opacity and back; as a flicker around the middle.
constexpr double kTwinkleMiddle = 0.65;
constexpr double kTwinkleDepth = 0.35 / kTwinkleMiddle;

} // namespace

EffectNode::EffectNode(const EffectFile& effect, QRectF area, double opacity)
    : m_area(area)
    , m_opacity(opacity) {
    std::vector<EffectBudget::Layer> layers;
    std::vector<bool> particleLayers;
    for (const EffectLayer& layer : effect.layers) {
        const std::size_t first = m_actors.size();
        const double covered = addLayer(layer);
        layers.push_back({first, m_actors.size() - first, covered});
        particleLayers.push_back(layer.kind == EffectLayer::Kind::Particles);
    }
    keepWithinBudget(layers, particleLayers);
}

double EffectNode::addLayer(const EffectLayer& layer) {
    EffectLayer settings = layer;
    if (settings.colors.empty())
        settings.colors.push_back(Qt::white);
    switch (settings.kind) {
    case EffectLayer::Kind::Particles:
        return addParticles(settings);
    case EffectLayer::Kind::Rays:
        return addRays(settings);
    case EffectLayer::Kind::Glow:
        return addGlow(settings);
    }
    return 0.0;
}

void EffectNode::keepWithinBudget(const std::vector<EffectBudget::Layer>& layers,
                                  const std::vector<bool>& particleLayers) {
    const std::vector<bool> keep = EffectBudget(m_area).kept(m_actors.size(), layers);
    std::vector<EffectActor> kept;
    for (std::size_t l = 0; l < layers.size(); ++l) {
        const std::size_t first = kept.size();
        for (std::size_t i = layers[l].first; i < layers[l].first + layers[l].count; ++i) {
            if (keep[i])
                kept.push_back(std::move(m_actors[i]));
        }
        if (particleLayers[l])
            m_particleRuns.push_back({first, kept.size() - first});
    }
    m_actors = std::move(kept);
}

double EffectNode::addParticles(const EffectLayer& s) {
    const EffectBudget budget(m_area);
    double covered = 0;
    std::vector<QImage> sprites;
    for (const QColor& color : s.colors)
        sprites.push_back(makeEffectSprite(s.shape, color));
    const double angle = s.angle * std::numbers::pi / 180.0;
    // Straight down is straight down: no drift sideways by a rounding error.
    const auto exact = [](double value) {
        return std::fabs(value) < 1e-9 ? 0.0 : value;
    };
    const QPointF direction(exact(std::cos(angle)), exact(std::sin(angle)));
    // Particles leave on one side and come back on the other, out of sight.
    const double margin = s.size.high * 2 + s.sway;
    const QRectF box = m_area.adjusted(-margin, -margin, margin, margin);
    Random random(s.seed);
    for (int i = 0; i < s.count; ++i) {
        const Draw draw = drawPart(random, s);
        EffectActor particle;
        particle.wrapBox = box;
        particle.start = QPointF(box.left() + draw.start.x() * box.width(),
                                 box.top() + draw.start.y() * box.height());
        particle.look.target = QRectF(-draw.size, -draw.size, 2 * draw.size, 2 * draw.size);
        covered += budget.coveredBy(4 * draw.size * draw.size);
        particle.look.sprite =
            sprites[std::size_t(draw.pick * double(sprites.size())) % sprites.size()];
        particle.velocity = direction * draw.speed;
        particle.opacity = draw.opacity * m_opacity;
        particle.swayDirection = QPointF(-direction.y(), direction.x());
        particle.sway = {s.sway, s.swayPeriod, draw.phase};
        if (s.spin != 0) {
            particle.turn = draw.turn;
            particle.spin = s.spin;
        }
        if (s.twinkle > 0) {
            particle.opacity *= kTwinkleMiddle;
            particle.flicker = {kTwinkleDepth, s.twinkle, draw.phase};
        }
        m_actors.push_back(std::move(particle));
    }
    return covered;
}

double EffectNode::addRays(const EffectLayer& s) {
    const double spacing = s.width * 1.7;
    // A ray is a thin triangle, its two long sides the ray's length.
    const double rayArea = s.length * s.length * std::sin(s.width * std::numbers::pi / 180.0) / 2.0;
    Random random(s.seed);
    for (int i = 0; i < s.count; ++i) {
        const Draw draw = drawPart(random, s);
        const double centre = s.angle + (double(i) - double(s.count - 1) / 2.0) * spacing;
        const double from = (centre - s.width / 2) * std::numbers::pi / 180.0;
        const double to = (centre + s.width / 2) * std::numbers::pi / 180.0;
        EffectActor ray;
        ray.start = percentOf(m_area, s.origin);
        ray.look.shape.moveTo(0, 0);
        ray.look.shape.lineTo(QPointF(std::cos(from), std::sin(from)) * s.length);
        ray.look.shape.lineTo(QPointF(std::cos(to), std::sin(to)) * s.length);
        ray.look.shape.closeSubpath();
        const QColor color = s.colors[std::size_t(i) % s.colors.size()];
        QRadialGradient fade(QPointF(0, 0), s.length);
        fade.setColorAt(0.0, withOpacity(color, 100.0 * draw.opacity));
        fade.setColorAt(1.0, withOpacity(color, 0));
        ray.look.brush = fade;
        ray.swing = {s.swing, s.period, draw.phase};
        // A ray's strength breathes between half and all of it, a little faster than it swings.
        ray.opacity = m_opacity * 0.75;
        ray.flicker = {1.0 / 3.0, s.period * 0.7, draw.phase};
        m_actors.push_back(std::move(ray));
    }
    return EffectBudget(m_area).coveredBy(rayArea) * double(std::max(s.count, 0));
}

double EffectNode::addGlow(const EffectLayer& s) {
    constexpr double kPulse = 0.08;
    EffectActor glow;
    glow.start = percentOf(m_area, s.origin);
    glow.look.shape.addEllipse(QPointF(0, 0), s.length, s.length);
    QRadialGradient light(QPointF(0, 0), s.length);
    light.setColorAt(0.0, withOpacity(s.colors.front(), s.opacity.high));
    light.setColorAt(1.0, withOpacity(s.colors.front(), 0));
    glow.look.brush = light;
    glow.pulse = {kPulse, s.period, 0.0};
    glow.opacity = m_opacity * 0.8;
    glow.flicker = {0.25, s.period, 0.0};
    m_actors.push_back(std::move(glow));
    const double largest = s.length * (1.0 + kPulse);
    return EffectBudget(m_area).coveredBy(std::numbers::pi * largest * largest);
}

std::vector<EffectActor> EffectNode::actors(int particleCap) const {
    std::size_t particles = 0;
    for (const ParticleRun& run : m_particleRuns)
        particles += run.count;
    const std::size_t cap = std::size_t(std::max(particleCap, 0));
    if (particles <= cap)
        return m_actors;
    std::vector<bool> kept(m_actors.size(), true);
    for (const ParticleRun& run : m_particleRuns) {
        const std::size_t share = run.count * cap / particles;
        std::fill(kept.begin() + qsizetype(run.first + share),
                  kept.begin() + qsizetype(run.first + run.count), false);
    }
    std::vector<EffectActor> result;
    for (std::size_t i = 0; i < m_actors.size(); ++i) {
        if (kept[i])
            result.push_back(m_actors[i]);
    }
    return result;
}

void EffectNode::paint(QPainter& painter, Millis time) const {
    paintActors(painter, m_actors, time);
}

void EffectNode::paintActors(QPainter& painter, const std::vector<EffectActor>& actors,
                             Millis time) const {
    painter.setClipRect(m_area, Qt::IntersectClip);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    const QTransform base = painter.transform();
    for (const EffectActor& actor : actors) {
        painter.setTransform(actor.placement(time) * base);
        painter.setOpacity(actor.opacityAt(time));
        actor.look.paint(painter);
    }
    painter.setTransform(base);
}

} // namespace tivora::engine
