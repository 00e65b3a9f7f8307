#include "shell/unsaved_changes.h"

namespace tivora {

GraphDocument UnsavedChanges::contentOf(const GraphDocument& document) {
    GraphDocument content = document;
    content.graphIncomplete = false;
    content.loadingGraph = false;
    content.currentFileName.clear();
    content.lastOpenedFile.clear();
    content.templateFile.clear();
    return content;
}

void UnsavedChanges::markClean(const GraphDocument& document) {
    m_clean = contentOf(document);
    m_tracking = true;
}

bool UnsavedChanges::hasChanges(const GraphDocument& document) const {
    return m_tracking && contentOf(document) != m_clean;
}

} // namespace tivora
