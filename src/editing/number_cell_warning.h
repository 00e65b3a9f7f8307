#pragma once

#include "controls/grids/grid_model.h"

namespace tivora {

// The warning for the number cells of a grid (those isNumberCell picks): a cell holding text that
// the graph cannot read as a number gets warning, the same rule the graph is drawn by. Empty
// cells are left alone: they are not yet filled in.
GridModel::CellWarning numberCellWarning(std::function<bool(int column, int row)> isNumberCell,
                                         const QString& warning);

} // namespace tivora
