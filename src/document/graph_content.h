#pragma once

#include "document/graph_document.h"

namespace tivora {

// The graph's own values without the window's bookkeeping (file names, the chosen template, the
// loading and incomplete flags): what is saved, and so what a change, an undo or the question
// about unsaved changes is about.
GraphDocument graphContent(const GraphDocument& document);

// Whether two graphs hold the same values, whatever their bookkeeping.
bool sameContent(const GraphDocument& first, const GraphDocument& second);

// content's values with the bookkeeping of current: a graph brought back from the undo history
// is still the file the window has open.
GraphDocument withBookkeepingOf(GraphDocument content, const GraphDocument& current);

} // namespace tivora
