#pragma once

#include "engine/scene/track.h"

#include <QPainter>
#include <functional>
#include <optional>
#include <vector>

namespace tivora::exporting {

// How a drawing moves when it moves as a whole: at each sampled moment its final picture
// stretched and shifted along each axis (x' = scaleX x + shiftX, likewise y), as bars that all
// grow from one baseline with one curve do. Between neighbouring moments every point moves in a
// straight line to within a fraction of a unit.
struct WholeMotion {
    struct Stretch {
        double scaleX = 1;
        double shiftX = 0;
        double scaleY = 1;
        double shiftY = 0;
    };
    std::vector<engine::Millis> times;
    std::vector<Stretch> stretches;
    engine::Millis shownFrom = 0; // nothing is drawn before

    bool isStill() const;
};

// The motion of what paint draws at a time, from 0 to span; nothing when the drawing changes in
// any other way (its look, its text, the number of its parts, or its shapes one by one). A drawing
// may start empty, as bars of no height are not drawn.
std::optional<WholeMotion>
findWholeMotion(const std::function<void(QPainter&, engine::Millis)>& paint, engine::Millis span);

} // namespace tivora::exporting
