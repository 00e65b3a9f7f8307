#pragma once

#include "document/graph_document.h"

#include <QString>
#include <optional>
#include <vector>

namespace tivora {

class GraphDocumentModel;

// The grids of the graph that the option dialogs write into.
enum class GraphGrid { Data, Properties, Slices };

Grid& gridOf(GraphDocument& document, GraphGrid grid);
const Grid& gridOf(const GraphDocument& document, GraphGrid grid);

// A cell of one of the graph's grids with the text and the colour it is to get; what is not given
// stays as it is.
struct CellEdit {
    GraphGrid grid;
    int column;
    int row;
    std::optional<QString> text;
    std::optional<WindowColor> color;
};

// Writes the cells as one change of the graph, unless every cell already holds what it would
// get: a setting chosen again changes nothing and leaves no step to undo. Consecutive changes
// with the same non-null mergeKey (the moves of one slider) make one step. Tells whether it
// wrote.
bool applyCellEdits(GraphDocumentModel& model, const std::vector<CellEdit>& edits,
                    const void* mergeKey = nullptr);

// Asks for a colour through the colour dialog, which opens on the cell's colour (white, the
// grid's own, when it has none). Gives nothing when the user cancels.
std::optional<WindowColor> chooseCellColor(const GraphDocument& document, GraphGrid grid,
                                           int column, int row);

} // namespace tivora
