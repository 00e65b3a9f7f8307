#pragma once

#include "export/svg_element.h"

#include <vector>

namespace tivora::exporting {

// Writes a drawing that is drawn once, not per moment, in fewer bytes: neighbouring groups of the
// same look become one group, and a run of plain rectangles becomes one path, so that a graph of
// many thousand bars takes a few bytes a bar.
void compactDrawing(std::vector<SvgElement>& elements);

} // namespace tivora::exporting
