#include "export/svg/effect_motion.h"

#include "engine/backdrop/effect_node.h"
#include "export/svg/node_snapshot.h"

#include <QPainter>
#include <cmath>

using namespace Qt::StringLiterals;
using namespace tivora::engine;

namespace tivora::exporting {
namespace {

QString number(double value, int decimals = 2) {
    QString text = QString::number(value, 'f', decimals);
    while (text.contains(u'.') && (text.endsWith(u'0') || text.endsWith(u'.')))
        text.chop(1);
    return text == "-0"_L1 ? u"0"_s : text;
}

QString seconds(Millis time) {
    // To the millisecond, so that parts many rounds in are still where the engine has them.
    return number(time / 1000.0, 3) + u's';
}

QString point(double x, double y) {
    return number(x) + u',' + number(y);
}

SvgElement group(SvgElement inner) {
    return SvgElement{u"g"_s, {}, {}, {std::move(inner)}};
}

// An animation of the transform (of the given type) or, with no type, of the opacity, that
// repeats every period from a moment before the document began: at time 0 it has run `into` of
// its period.
SvgElement repeating(const QString& transformType, Millis period, Millis into) {
    SvgElement animation{
        transformType.isEmpty() ? u"animate"_s : u"animateTransform"_s, {}, {}, {}};
    if (transformType.isEmpty()) {
        animation.setAttribute(u"attributeName"_s, u"opacity"_s);
    } else {
        animation.setAttribute(u"attributeName"_s, u"transform"_s);
        animation.setAttribute(u"type"_s, transformType);
    }
    animation.setAttribute(u"dur"_s, seconds(period));
    if (into > 0)
        animation.setAttribute(u"begin"_s, u'-' + seconds(into));
    animation.setAttribute(u"repeatCount"_s, u"indefinite"_s);
    return animation;
}

// A sine wave as its trough, crest and trough again, joined by the ease-in-out curve that follows
// a half sine closely. A sine is in its trough three quarters into its period, so the animation
// runs a quarter period ahead of the wave's phase.
SvgElement wave(const QString& transformType, const EffectWave& wave,
                const std::function<QString(double)>& valueOf) {
    const double into = std::fmod(wave.phase + 0.25, 1.0) * wave.period;
    SvgElement animation = repeating(transformType, wave.period, into);
    const QString halfSine = u"0.37 0 0.63 1"_s;
    const double a = wave.amplitude;
    animation.setAttribute(u"values"_s,
                           QStringList{valueOf(-a), valueOf(a), valueOf(-a)}.join(u';'));
    animation.setAttribute(u"keyTimes"_s, u"0;0.5;1"_s);
    animation.setAttribute(u"calcMode"_s, u"spline"_s);
    animation.setAttribute(u"keySplines"_s, halfSine + u';' + halfSine);
    return animation;
}

// A straight run across the box on one axis that starts over on the far side.
SvgElement drift(double start, double speed, double low, double length, bool horizontal) {
    const auto at = [horizontal](double value) {
        return horizontal ? point(value, 0) : point(0, value);
    };
    const double high = low + length;
    const Millis period = length / std::fabs(speed) * 1000.0;
    const Millis into = (speed > 0 ? start - low : high - start) / std::fabs(speed) * 1000.0;
    SvgElement animation = repeating(u"translate"_s, period, into);
    animation.setAttribute(u"values"_s,
                           speed > 0 ? at(low) + u';' + at(high) : at(high) + u';' + at(low));
    return animation;
}

class ActorWriter {
public:
    explicit ActorWriter(SvgElement look)
        : m_element(std::move(look)) {}

    // Wraps what is built so far in a group that plays one movement; built from the inside out.
    void moveBy(SvgElement animation) {
        m_element = group(std::move(m_element));
        m_element.children.insert(m_element.children.begin(), std::move(animation));
    }
    void place(const QString& transform) {
        m_element = group(std::move(m_element));
        m_element.setAttribute(u"transform"_s, transform);
    }
    SvgElement take() { return std::move(m_element); }

private:
    SvgElement m_element;
};

SvgElement actorElement(const EffectActor& actor, SvgElement look) {
    ActorWriter writer(std::move(look));
    if (actor.pulse.moves()) {
        writer.moveBy(wave(u"scale"_s, actor.pulse, [](double v) { return number(1 + v); }));
    }
    if (actor.swing.moves())
        writer.moveBy(wave(u"rotate"_s, actor.swing, [](double v) { return number(v); }));
    if (actor.spin != 0) {
        SvgElement spin = repeating(u"rotate"_s, 360.0 / std::fabs(actor.spin) * 1000.0, 0);
        const double end = actor.turn + (actor.spin > 0 ? 360.0 : -360.0);
        spin.setAttribute(u"values"_s, number(actor.turn) + u';' + number(end));
        writer.moveBy(std::move(spin));
    } else if (actor.turn != 0) {
        writer.place(u"rotate(%1)"_s.arg(number(actor.turn)));
    }
    if (actor.sway.moves()) {
        const QPointF d = actor.swayDirection;
        writer.moveBy(wave(u"translate"_s, actor.sway,
                           [d](double v) { return point(d.x() * v, d.y() * v); }));
    }
    const QRectF& box = actor.wrapBox;
    const QPointF v = actor.velocity;
    if (v.y() != 0)
        writer.moveBy(drift(actor.start.y(), v.y(), box.top(), box.height(), false));
    if (v.x() != 0)
        writer.moveBy(drift(actor.start.x(), v.x(), box.left(), box.width(), true));
    const QPointF still(v.x() != 0 ? 0.0 : actor.start.x(), v.y() != 0 ? 0.0 : actor.start.y());
    if (!still.isNull())
        writer.place(u"translate(%1)"_s.arg(point(still.x(), still.y())));
    SvgElement element = writer.take();
    element.setAttribute(u"opacity"_s, number(actor.opacity));
    if (actor.flicker.moves()) {
        const double base = actor.opacity;
        element.children.insert(element.children.begin(), wave({}, actor.flicker, [base](double f) {
                                    return number(base * (1 + f));
                                }));
    }
    return element;
}

} // namespace

SvgElement effectMotion(const EffectNode& effect, const QTransform& transform,
                        const std::optional<QPainterPath>& clip, SvgDefinitions& definitions,
                        const QString& idPrefix) {
    SvgElement parts{u"g"_s, {}, {}, {}};
    if (!transform.isIdentity()) {
        parts.setAttribute(u"transform"_s, u"matrix(%1)"_s.arg(QStringList{
                                               number(transform.m11()), number(transform.m12()),
                                               number(transform.m21()), number(transform.m22()),
                                               number(transform.dx()), number(transform.dy())}
                                                                   .join(u',')));
    }
    for (const EffectActor& actor : effect.actors(kSvgEffectParticles)) {
        std::vector<SvgElement> look =
            snapshotPainting([&actor](QPainter& painter) { actor.look.paint(painter); },
                             QTransform(), std::nullopt, definitions, idPrefix);
        parts.children.push_back(
            actorElement(actor, look.size() == 1 ? std::move(look.front())
                                                 : SvgElement{u"g"_s, {}, {}, std::move(look)}));
    }
    QPainterPath area;
    area.addRect(effect.area());
    area = transform.map(area);
    const QPainterPath cut = clip ? clip->intersected(area) : area;
    const QString clipId = idPrefix + u"c1"_s;
    SvgElement clipped{
        u"g"_s, {{u"clip-path"_s, u"url(#%1)"_s.arg(clipId)}}, {}, {std::move(parts)}};
    return SvgElement{u"g"_s, {}, {}, {clipPathElement(cut, clipId), std::move(clipped)}};
}

} // namespace tivora::exporting
