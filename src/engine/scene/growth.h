#pragma once

#include "engine/scene/track.h"

namespace tivora::engine {

// How far a series has grown, 0 .. 1, over time: the faster the speed the shorter the growth;
// speed 0 shows the series grown from the start.
Track growthTrack(int speed);

} // namespace tivora::engine
