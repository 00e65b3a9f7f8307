#include "editing/grid_cell_edits.h"

#include "controls/dialogs.h"
#include "controls/window_qcolor.h"
#include "document/graph_document_model.h"

#include <algorithm>

namespace tivora {
namespace {

bool alreadyHolds(const GraphDocument& document, const CellEdit& edit) {
    const Grid& grid = gridOf(document, edit.grid);
    return (!edit.text || grid.cell(edit.column, edit.row) == *edit.text) &&
           (!edit.color || grid.cellColor(edit.column, edit.row) == edit.color);
}

} // namespace

Grid& gridOf(GraphDocument& document, GraphGrid grid) {
    switch (grid) {
    case GraphGrid::Data:
        return document.series.sgrdData;
    case GraphGrid::Properties:
        return document.series.sgrdProp;
    case GraphGrid::Slices:
        break;
    }
    return document.pie.sgrdPieSlices;
}

const Grid& gridOf(const GraphDocument& document, GraphGrid grid) {
    return gridOf(const_cast<GraphDocument&>(document), grid);
}

bool applyCellEdits(GraphDocumentModel& model, const std::vector<CellEdit>& edits,
                    const void* mergeKey) {
    const GraphDocument& document = model.document();
    if (std::all_of(edits.begin(), edits.end(),
                    [&](const CellEdit& edit) { return alreadyHolds(document, edit); }))
        return false;
    model.edit(
        [&edits](GraphDocument& d) {
            for (const CellEdit& edit : edits) {
                Grid& grid = gridOf(d, edit.grid);
                if (edit.text)
                    grid.setCell(edit.column, edit.row, *edit.text);
                if (edit.color)
                    grid.setCellColor(edit.column, edit.row, edit.color);
            }
        },
        mergeKey);
    return true;
}

std::optional<WindowColor> chooseCellColor(const GraphDocument& document, GraphGrid grid,
                                           int column, int row) {
    const WindowColor current = gridOf(document, grid).cellColor(column, row).value_or(0xFFFFFF);
    const auto chosen = appDialogs().chooseColor(toQColor(current));
    if (!chosen || !chosen->isValid())
        return std::nullopt;
    return toWindowColor(*chosen);
}

} // namespace tivora
