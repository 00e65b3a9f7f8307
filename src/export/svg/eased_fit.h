#pragma once

#include "engine/scene/track.h"

#include <QString>
#include <optional>
#include <vector>

namespace tivora::exporting {

// Numbers that move together from one set of values to another along one of the engine's easing
// curves, found from samples: what lets a growing bar be written as two values and a curve
// instead of a value for every sampled moment.
struct EasedFit {
    std::size_t firstSample; // the samples before this one are written as they are
    engine::Millis from;
    engine::Millis to;
    QString keySpline; // the curve as SMIL's cubic Bezier control points
    std::vector<double> start;
    std::vector<double> end;
};

// samples[k] holds the numbers at times[k]; each number may stray from the curve by its
// tolerance. Tries the whole span, then the shortest start of the samples that leaves the rest
// on one curve (a bar's cap only takes its full height once the bar is tall enough).
std::optional<EasedFit> fitEased(const std::vector<engine::Millis>& times,
                                 const std::vector<std::vector<double>>& samples,
                                 const std::vector<double>& tolerances, engine::Millis span);

} // namespace tivora::exporting
