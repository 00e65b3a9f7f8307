#pragma once

#include "document/edit_history.h"
#include "document/graph_document.h"
#include "document/graph_text_reader.h"
#include "document/graph_text_writer.h"

#include <QObject>
#include <functional>

namespace tivora {

// Owns the open graph and announces every change to it with one signal, so editing pages and the
// preview listen instead of calling each other. Every change that alters the graph's values is
// kept in the undo history.
class GraphDocumentModel : public QObject {
    Q_OBJECT

public:
    explicit GraphDocumentModel(QObject* parent = nullptr);

    const GraphDocument& document() const { return m_document; }

    // Applies change to the graph, then emits changed(). A change of the graph's values becomes a
    // step of the undo history; consecutive changes with the same non-null mergeKey make one step.
    void edit(const std::function<void(GraphDocument&)>& change, const void* mergeKey = nullptr);
    // Puts a whole new graph in place, then emits changed(); undone as one step.
    void replace(GraphDocument document);

    // Writes the graph to path. The writer only records graphIncomplete and fills empty line
    // widths with "10"; changed() is emitted only when it filled one, so a listener that writes
    // again in response finds nothing more to fill.
    [[nodiscard]] GraphWriteResult write(const QString& path,
                                         Durability durability = Durability::Synced);
    // Puts a graph read from a file in place of the open one, as the start of a new history, then
    // emits changed().
    void load(GraphDocument document);
    // Reads the graph file at path; on success the graph read replaces the open one and changed()
    // is emitted, on failure the open graph stays exactly as it was.
    // A graph read successfully starts a new history.
    [[nodiscard]] GraphReadResult read(const QString& path);

    // Where the changes that follow are made (the editing page shown); kept with each step.
    void setEditOrigin(const QString& origin) { m_editOrigin = origin; }
    bool canUndo() const { return m_history.canUndo(); }
    bool canRedo() const { return m_history.canRedo(); }
    // Each takes the graph one step back or forward and emits changed(), then restored(); false
    // when there is no step.
    bool undo();
    bool redo();
    void clearHistory();

    // The graph and its history at one moment, to come back to when what followed is cancelled.
    struct Checkpoint {
        GraphDocument content;
        std::uint64_t recordedSteps;
    };
    // Marks the present; the next change starts a step of its own.
    Checkpoint checkpoint();
    // Puts the graph back as it was at point and forgets the steps recorded since, then emits
    // historyChanged() and changed(); nothing is left to undo or redo of what was taken back.
    void rollBack(const Checkpoint& point);

Q_SIGNALS:
    void changed();
    // The graph was taken back or forward to a change made at origin.
    void restored(const QString& origin);
    // What undo and redo can do has changed.
    void historyChanged();

private:
    bool restore(const std::optional<EditHistory::Step>& step);

    GraphDocument m_document;
    EditHistory m_history;
    QString m_editOrigin;
};

} // namespace tivora
