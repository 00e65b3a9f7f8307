#include "engine/scene/growth.h"

#include <algorithm>

namespace tivora::engine {
namespace {

// Speed 5 grows in 2 s, the default 15 in 1.2 s, the fastest (100) in a little over half a second.
constexpr Millis kShortestGrowth = 400.0;
constexpr double kGrowthPerSpeed = 16000.0;

} // namespace

Track growthTrack(int speed) {
    if (speed <= 0)
        return Track(1.0);
    const Millis duration = kShortestGrowth + kGrowthPerSpeed / (std::min(speed, 100) + 5);
    return Track::ramp(0.0, 1.0, 0.0, duration, Easing::OutCubic);
}

} // namespace tivora::engine
