#include "editing/row_move.h"

#include <algorithm>

namespace tivora {

std::optional<int> rowMovedTo(int row, int count, RowMove move) {
    const int target = move == RowMove::Up ? row - 1 : row + 1;
    if (row < 1 || row > count || target < 1 || target > count)
        return std::nullopt;
    return target;
}

int selectionAfterMove(int row, RowMove move, int lastRow) {
    return std::min(move == RowMove::Up ? row + 1 : row, lastRow);
}

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

} // namespace tivora
