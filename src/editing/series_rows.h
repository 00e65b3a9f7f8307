#pragma once

#include "document/graph_document.h"

// The row work of the series data page, on the graph itself: resizing both series grids to the
// counts, and moving a series up or down in both.
namespace tivora {

// Gives both grids the rows and columns of seriesCount series and columnCount data columns
// (never fewer than one row or column) and the defaults to every series row that has no type
// yet. Cells beyond the counts are kept.
void applySeriesCounts(GraphDocument& document, int seriesCount, int columnCount);

// The type a new series starts with: "bar" for stacked bars, else the graph's base type.
QString newSeriesType(const GraphDocument& document);

// Swaps series row with the one above it (row > 1) or below it (0 < row < series count) in both
// grids, cell colours and the cells beyond the column count included. Gives false, changing
// nothing, for any other row.
bool moveSeriesUp(SeriesFields& series, int row);
bool moveSeriesDown(SeriesFields& series, int row);

// Swaps the text and cell colour of rows first and second in the grid's first columnCount columns.
void swapGridRows(Grid& grid, int first, int second, int columnCount);

} // namespace tivora
