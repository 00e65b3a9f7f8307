#pragma once

#include "document/graph_document.h"
#include "document/series_counts.h"

// The row work of the series data page, on the graph itself: moving a series up or down in both
// grids (resizing them to the counts is in document/series_counts.h).
namespace tivora {

// Swaps series row with the one above it (row > 1) or below it (0 < row < series count) in both
// grids, cell colours and the cells beyond the column count included. Gives false, changing
// nothing, for any other row.
bool moveSeriesUp(SeriesFields& series, int row);
bool moveSeriesDown(SeriesFields& series, int row);

// Swaps the text and cell colour of rows first and second in the grid's first columnCount columns.
void swapGridRows(Grid& grid, int first, int second, int columnCount);

} // namespace tivora
