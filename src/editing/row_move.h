#pragma once

#include "document/grid.h"

#include <optional>

// Moving a numbered row of a grid (row 0 holds the headings) one place up or down, as the series
// and slice pages' up and down buttons do.
namespace tivora {

enum class RowMove { Up, Down };

// The row that row trades places with when moved among the rows 1 to count; nothing when the
// move would take it out of them or row is not one of them.
std::optional<int> rowMovedTo(int row, int count, RowMove move);

// The row the selection stays on once row has moved: where a grid's row insert and delete leave
// it, on the row below a row moved up and on the row of a row moved down, never past lastRow.
int selectionAfterMove(int row, RowMove move, int lastRow);

// Swaps the text and cell colour of rows first and second in the grid's first columnCount columns.
void swapGridRows(Grid& grid, int first, int second, int columnCount);

} // namespace tivora
