#pragma once

#include "engine/scene/track.h"

#include <QString>
#include <optional>

namespace tivora::engine {
class Scene;
}

namespace tivora::exporting {

struct GraphSummary;

// How long the animation of a scene runs: until it settles, and at least one round of whatever
// loops (a picture rotation, an effect).
engine::Millis animationLength(const engine::Scene& scene);

// The scene as one SVG file that plays its animation in a browser, 700 x 475 CSS pixels, titled
// and described by the summary. Gives the reason when it could not be written; the file is
// written whole or not at all.
[[nodiscard]] std::optional<QString>
writeAnimatedSvg(const engine::Scene& scene, const GraphSummary& summary, const QString& outPath);

// The same document as bytes.
QByteArray animatedSvg(const engine::Scene& scene, const GraphSummary& summary);

} // namespace tivora::exporting
