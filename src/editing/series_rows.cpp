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

void swapGridRows(Grid& grid, int first, int second, int columnCount) {
    for (int column = 0; column < columnCount; ++column) {
        const Grid::Cell a{grid.cell(column, first), grid.cellColor(column, first)};
        const Grid::Cell b{grid.cell(column, second), grid.cellColor(column, second)};
        if (a == b)
            continue;
        grid.setCell(column, first, b.text);
        grid.setCellColor(column, first, b.color);
        grid.setCell(column, second, a.text);
        grid.setCellColor(column, second, a.color);
    }
}

bool moveSeriesUp(SeriesFields& series, int row) {
    if (row <= 1 || row > seriesCountOf(series))
        return false;
    swapRows(series.sgrdData, row - 1, row);
    swapRows(series.sgrdProp, row - 1, row);
    return true;
}

bool moveSeriesDown(SeriesFields& series, int row) {
    if (row <= 0 || row >= seriesCountOf(series))
        return false;
    swapRows(series.sgrdData, row, row + 1);
    swapRows(series.sgrdProp, row, row + 1);
    return true;
}

} // namespace tivora
