#pragma once

#include "export/svg/svg_element.h"

#include <vector>

namespace tivora::exporting {

// Writes a drawing that is drawn once, not per moment, in fewer bytes: neighbouring groups of the
// same look become one group, and a run of plain rectangles becomes one path, so that a graph of
// many thousand bars takes a few bytes a bar.
void compactDrawing(std::vector<SvgElement>& elements);

// Merges neighbouring groups of the same look throughout a written document, wherever neither
// group is animated itself (what their children animate moves with the children).
void mergeStillGroups(SvgElement& element);

// Drops the stops of a gradient that lie on the straight line between the stops around them: the
// painter's SVG output writes a shade with transparency as fifty stops.
void simplifyGradient(SvgElement& gradient);

} // namespace tivora::exporting
