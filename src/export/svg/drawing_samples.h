#pragma once

#include "engine/scene/track.h"
#include "export/svg/element_shape.h"
#include "export/svg/svg_element.h"

#include <functional>
#include <vector>

namespace tivora::exporting {

// A node's drawing at one moment.
struct Moment {
    engine::Millis time;
    SvgElement drawing;
    ElementShape shape;
};

// The moments that describe a drawing from 0 to span: between two neighbours every number moves
// in a straight line to within a fraction of a unit, and the look changes only at a neighbour.
// Changes of text alone (a counting label) are not looked for between samples: they show in
// steps.
std::vector<Moment> sampleDrawing(const std::function<SvgElement(engine::Millis)>& draw,
                                  engine::Millis span);

// The drawing at even steps from 0 to span: for a drawing that changes all the time in ways no
// curve follows (a drifting effect), where following it closely would make the file huge.
std::vector<Moment> sampleEvenly(const std::function<SvgElement(engine::Millis)>& draw,
                                 engine::Millis span, engine::Millis step);

} // namespace tivora::exporting
