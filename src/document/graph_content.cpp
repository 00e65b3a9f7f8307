#include "document/graph_content.h"

namespace tivora {

GraphDocument graphContent(const GraphDocument& document) {
    return withBookkeepingOf(document, GraphDocument());
}

bool sameContent(const GraphDocument& first, const GraphDocument& second) {
    return graphContent(first) == graphContent(second);
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
