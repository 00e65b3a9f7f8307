#pragma once

#include "document/graph_document.h"
#include "document/graph_text_reader.h"
#include "document/graph_text_writer.h"

#include <QObject>
#include <functional>

namespace tivora {

// Owns the open graph and announces every change to it with one signal, so editing pages and the
// preview listen instead of calling each other.
class GraphDocumentModel : public QObject {
    Q_OBJECT

public:
    explicit GraphDocumentModel(QObject* parent = nullptr);

    const GraphDocument& document() const { return m_document; }

    // Applies change to the graph, then emits changed().
    void edit(const std::function<void(GraphDocument&)>& change);
    // Puts a whole new graph in place, then emits changed().
    void replace(GraphDocument document);

    // Writes the graph to path. The writer only records graphIncomplete and fills empty line
    // widths with "10"; changed() is emitted only when it filled one, so a listener that writes
    // again in response finds nothing more to fill.
    GraphWriteResult write(const QString& path);
    // Reads the graph file at path; on success the graph read replaces the open one and changed()
    // is emitted, on failure the open graph stays exactly as it was.
    GraphReadResult read(const QString& path);

Q_SIGNALS:
    void changed();

private:
    GraphDocument m_document;
};

} // namespace tivora
