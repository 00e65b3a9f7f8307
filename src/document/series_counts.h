#pragma once

#include "document/graph_document.h"

// The series and column counts of a bar, line or area graph as they reach its two series grids.
// The data page applies them when a count field changes; a spreadsheet import applies them when
// it fits the counts to its data.
namespace tivora {

// Gives both grids the rows and columns of seriesCount series and columnCount data columns
// (never fewer than one row or column) and the defaults to every series row that has no type
// yet. Cells beyond the counts are kept.
void applySeriesCounts(GraphDocument& document, int seriesCount, int columnCount);

// The type a new series starts with: "bar" for stacked bars, else the graph's base type.
QString newSeriesType(const GraphDocument& document);

} // namespace tivora
