#pragma once

#include "document/graph_document.h"

namespace tivora {

// Tells whether the graph differs from the state it was last opened or saved in. It compares
// the graph itself rather than counting change signals, so an edit that is undone by hand, or
// the writer filling in defaults, does not count as a change.
class UnsavedChanges {
public:
    void markClean(const GraphDocument& document);
    bool hasChanges(const GraphDocument& document) const;

private:
    GraphDocument m_clean;
    bool m_tracking = false;
};

} // namespace tivora
