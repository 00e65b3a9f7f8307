#pragma once

#include "export/svg/svg_element.h"

#include <QPainterPath>
#include <QTransform>
#include <optional>

namespace tivora::engine {
class EffectNode;
}

namespace tivora::exporting {

class SvgDefinitions;

// The most particles an effect keeps in an animated SVG: each one is written with its own
// movements, and a few dozen already fill the graph area the way the full effect does.
inline constexpr int kSvgEffectParticles = 30;

// An effect as SVG whose parts move as the engine moves them: each part's look is drawn once, and
// each of its movements (drift, sway, spin, swing, pulse, flicker) becomes one SMIL animation
// that repeats on the movement's own period, so the effect plays for ever without a seam and any
// moment matches the engine's frame of the capped effect.
SvgElement effectMotion(const engine::EffectNode& effect, const QTransform& transform,
                        const std::optional<QPainterPath>& clip, SvgDefinitions& definitions,
                        const QString& idPrefix);

} // namespace tivora::exporting
