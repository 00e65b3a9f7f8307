#pragma once

#include "document/graph_document.h"
#include "editing/row_move.h"

// The row work of the pie data page, on the graph itself: resizing the slice grid to the slice
// count and moving a slice up or down.
namespace tivora {

// Gives the slice grid sliceCount slice rows (never fewer than none), numbers them in column 0 and
// gives every blank value, offset, shade, alpha and move cell its default, and every slice without
// colours a palette colour of its own, white values and a dark label. Labels and chosen colours are
// left alone, and so are the cells of rows beyond the count, which come back when it is raised.
void applySliceCount(PieFields& pie, int sliceCount);

// Moves slice row one place up or down, texts and cell colours; the slice numbers move with their
// rows. Gives false, changing nothing, where the row cannot go that way.
bool moveSlice(PieFields& pie, int row, RowMove move);

} // namespace tivora
