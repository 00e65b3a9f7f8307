#include "document/graph_document.h"

#include "document/grid_layouts.h"

namespace tivora {

// The grids start as the window shows them before any graph is loaded: three series rows and no
// data columns, no slices, and a notes grid of two rows whose second row is no note.
GraphDocument::GraphDocument() {
    shapeDataGrid(series.sgrdData, 3, 0);
    series.sgrdData.setFixedColumnCount(0);
    shapePropertyGrid(series.sgrdProp, 3);
    shapeSliceGrid(pie.sgrdPieSlices, 0);
    resetNotesGrid(notes.sgrdNotes);
    setNoteRowCount(notes.sgrdNotes, 0);
}

} // namespace tivora
