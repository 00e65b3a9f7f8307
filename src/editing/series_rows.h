#pragma once

#include "document/graph_document.h"
#include "document/series_counts.h"
#include "editing/row_move.h"

// The row work of the series data page, on the graph itself: moving a series up or down in both
// grids (resizing them to the counts is in document/series_counts.h).
namespace tivora {

// Moves series row one place up or down in both grids, cell colours and the cells beyond the
// column count included. Gives false, changing nothing, where the row cannot go that way.
bool moveSeries(SeriesFields& series, int row, RowMove move);

} // namespace tivora
