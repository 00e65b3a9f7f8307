#pragma once

#include "document/graph_document.h"

#include <QByteArray>
#include <QString>

namespace tivora {

struct GraphReadResult {
    bool ok = false;
    // Why the read failed, for the user.
    QString error;
    // For a file that could not be read at all: what was wrong with it, naming it.
    QString detail;

    explicit operator bool() const { return ok; }
};

// Fills the graph from the bytes of a graph file (any version: "2.0", "1.2.01" or none, short or
// long keys). The file is read into a copy of the graph, so fields the file does not name carry
// over from it; only a read that succeeds replaces the graph, with loadingGraph cleared.
[[nodiscard]] GraphReadResult ReadGraphText(GraphDocument& document, const QByteArray& fileBytes);
// The same for the graph file at path. Only an ordinary file is read: a folder, pipe or device
// fails at once with "File I/O error." and the reason as detail.
[[nodiscard]] GraphReadResult ReadGraphFile(GraphDocument& document, const QString& path);

} // namespace tivora
