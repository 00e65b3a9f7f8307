#include "editing/series_rows.h"

#include "document/grid_layouts.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace tivora {
namespace {

// The widest a data grid gets from its column count field (three digits) plus its three leading
// columns. Cells of a hidden column still belong to their series, so a move swaps them too.
constexpr int kWidestDataGrid = 999 + DataFirstValue;

void swapRows(Grid& grid, int first, int second) {
    swapGridRows(grid, first, second, std::max(grid.columnCount(), kWidestDataGrid));
}

int seriesCountOf(const SeriesFields& series) {
    return series.sgrdProp.rowCount() - 1;
}

} // namespace

bool moveSeries(SeriesFields& series, int row, RowMove move) {
    const std::optional<int> target = rowMovedTo(row, seriesCountOf(series), move);
    if (!target)
        return false;
    swapRows(series.sgrdData, row, *target);
    swapRows(series.sgrdProp, row, *target);
    return true;
}

} // namespace tivora
