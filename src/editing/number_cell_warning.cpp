#include "editing/number_cell_warning.h"

#include "document/number_text.h"
#include "engine/layout/graph_text.h"

namespace tivora {

GridModel::CellWarning numberCellWarning(std::function<bool(int column, int row)> isNumberCell,
                                         const QString& warning) {
    return [isNumberCell = std::move(isNumberCell), warning](int column, int row,
                                                             const QString& text) {
        if (!isNumberCell(column, row) || isBlankText(text) ||
            engine::GraphText::parseNumber(text.toLatin1()))
            return QString();
        return warning;
    };
}

} // namespace tivora
