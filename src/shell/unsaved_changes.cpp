#include "shell/unsaved_changes.h"

#include "document/graph_content.h"

namespace tivora {

void UnsavedChanges::markClean(const GraphDocument& document) {
    m_clean = graphContent(document);
    m_tracking = true;
}

bool UnsavedChanges::hasChanges(const GraphDocument& document) const {
    return m_tracking && !sameContent(document, m_clean);
}

} // namespace tivora
