#include "document/graph_content.h"

namespace tivora {

GraphDocument graphContent(const GraphDocument& document) {
    return withBookkeepingOf(document, GraphDocument());
}

// Asked at every edit, twice: first takes second's bookkeeping rather than both taking that of a
// new graph, whose default grids would be built afresh each time. The copy shares first's grids.
bool sameContent(const GraphDocument& first, const GraphDocument& second) {
    return withBookkeepingOf(first, second) == second;
}

GraphDocument withBookkeepingOf(GraphDocument content, const GraphDocument& current) {
    content.graphIncomplete = current.graphIncomplete;
    content.loadingGraph = current.loadingGraph;
    content.currentFileName = current.currentFileName;
    content.lastOpenedFile = current.lastOpenedFile;
    content.templateFile = current.templateFile;
    return content;
}

} // namespace tivora
