#include "engine/backdrop/effect_node.h"

#include "engine/backdrop/effect_sprite.h"
#include "engine/layout/graph_style.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <numbers>

namespace tivora::engine {
namespace {

constexpr double kTau = 2.0 * std::numbers::pi;

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

double wrap(double value, double low, double length) {
    if (length <= 0)
        return low;
    double offset = std::fmod(value - low, length);
    if (offset < 0)
        offset += length;
    return low + offset;
}

double wave(Millis time, double period, double phase) {
    return std::sin(kTau * (time / period + phase));
}

} // namespace

EffectNode::EffectNode(const EffectFile& effect, QRectF area, double opacity)
    : m_area(area)
    , m_opacity(opacity) {
    for (const EffectLayer& settings : effect.layers)
        m_layers.push_back(prepare(settings));
}

EffectNode::Layer EffectNode::prepare(const EffectLayer& settings) {
    Layer layer{settings, {}, {}};
    if (layer.settings.colors.empty())
        layer.settings.colors.push_back(Qt::white);
    if (settings.kind == EffectLayer::Kind::Particles) {
        for (const QColor& color : layer.settings.colors)
            layer.sprites.push_back(makeEffectSprite(settings.shape, color));
    }
    if (settings.kind == EffectLayer::Kind::Glow)
        return layer; // one glow, no particles
    Random random(settings.seed);
    for (int i = 0; i < settings.count; ++i) {
        Particle particle;
        particle.start = QPointF(random.next(), random.next());
        particle.size = random.in(settings.size);
        particle.speed = random.in(settings.speed);
        particle.opacity = random.in(settings.opacity) / 100.0;
        particle.phase = random.next();
        particle.turn = random.next() * 360.0;
        particle.sprite = std::size_t(random.next() * double(layer.settings.colors.size())) %
                          layer.settings.colors.size();
        layer.particles.push_back(particle);
    }
    return layer;
}

void EffectNode::paint(QPainter& painter, Millis time) const {
    painter.setClipRect(m_area, Qt::IntersectClip);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    for (const Layer& layer : m_layers) {
        switch (layer.settings.kind) {
        case EffectLayer::Kind::Particles:
            paintParticles(painter, layer, time);
            break;
        case EffectLayer::Kind::Rays:
            paintRays(painter, layer, time);
            break;
        case EffectLayer::Kind::Glow:
            paintGlow(painter, layer, time);
            break;
        }
    }
}

void EffectNode::paintParticles(QPainter& painter, const Layer& layer, Millis time) const {
    const EffectLayer& s = layer.settings;
    const double angle = s.angle * std::numbers::pi / 180.0;
    const QPointF direction(std::cos(angle), std::sin(angle));
    const QPointF across(-direction.y(), direction.x());
    // Particles leave on one side and come back on the other, out of sight.
    const double margin = s.size.high * 2 + s.sway;
    const QRectF box = m_area.adjusted(-margin, -margin, margin, margin);
    const QTransform base = painter.transform();
    for (const Particle& p : layer.particles) {
        const double travelled = p.speed * time / 1000.0;
        QPointF at = QPointF(box.left() + p.start.x() * box.width(),
                             box.top() + p.start.y() * box.height()) +
                     direction * travelled;
        if (s.sway > 0)
            at += across * (s.sway * wave(time, s.swayPeriod, p.phase));
        at = QPointF(wrap(at.x(), box.left(), box.width()), wrap(at.y(), box.top(), box.height()));
        double opacity = p.opacity * m_opacity;
        if (s.twinkle > 0)
            opacity *= 0.3 + 0.7 * (0.5 + 0.5 * wave(time, s.twinkle, p.phase));
        painter.setOpacity(opacity);
        const QRectF target(-p.size, -p.size, 2 * p.size, 2 * p.size);
        if (s.spin != 0) {
            QTransform turned = base;
            turned.translate(at.x(), at.y());
            turned.rotate(p.turn + s.spin * time / 1000.0);
            painter.setTransform(turned);
            painter.drawImage(target, layer.sprites[p.sprite]);
        } else {
            painter.drawImage(target.translated(at), layer.sprites[p.sprite]);
        }
    }
    painter.setTransform(base);
}

void EffectNode::paintRays(QPainter& painter, const Layer& layer, Millis time) const {
    const EffectLayer& s = layer.settings;
    const QPointF origin(m_area.left() + m_area.width() * s.origin.x() / 100.0,
                         m_area.top() + m_area.height() * s.origin.y() / 100.0);
    painter.setPen(Qt::NoPen);
    painter.setOpacity(m_opacity);
    const double spacing = s.width * 1.7;
    for (std::size_t i = 0; i < layer.particles.size(); ++i) {
        const Particle& p = layer.particles[i];
        const double centre = s.angle +
                              (double(i) - double(layer.particles.size() - 1) / 2.0) * spacing +
                              s.swing * wave(time, s.period, p.phase);
        const double from = (centre - s.width / 2) * std::numbers::pi / 180.0;
        const double to = (centre + s.width / 2) * std::numbers::pi / 180.0;
        QPainterPath ray;
        ray.moveTo(origin);
        ray.lineTo(origin + QPointF(std::cos(from), std::sin(from)) * s.length);
        ray.lineTo(origin + QPointF(std::cos(to), std::sin(to)) * s.length);
        ray.closeSubpath();
        const QColor color = s.colors[i % s.colors.size()];
        const double strength = p.opacity * (0.75 + 0.25 * wave(time, s.period * 0.7, p.phase));
        QRadialGradient fade(origin, s.length);
        fade.setColorAt(0.0, withOpacity(color, 100.0 * strength));
        fade.setColorAt(1.0, withOpacity(color, 0));
        painter.fillPath(ray, fade);
    }
}

void EffectNode::paintGlow(QPainter& painter, const Layer& layer, Millis time) const {
    const EffectLayer& s = layer.settings;
    const QPointF centre(m_area.left() + m_area.width() * s.origin.x() / 100.0,
                         m_area.top() + m_area.height() * s.origin.y() / 100.0);
    const double pulse = wave(time, s.period, 0);
    const double radius = s.length * (1.0 + 0.08 * pulse);
    const double strength = s.opacity.high / 100.0 * (0.8 + 0.2 * pulse);
    QRadialGradient glow(centre, radius);
    glow.setColorAt(0.0, withOpacity(s.colors.front(), 100.0 * strength));
    glow.setColorAt(1.0, withOpacity(s.colors.front(), 0));
    painter.setOpacity(m_opacity);
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(centre, radius, radius);
}

} // namespace tivora::engine
