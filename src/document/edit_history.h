#pragma once

#include "document/graph_document.h"

#include <QString>
#include <cstdint>
#include <deque>
#include <optional>

namespace tivora {

// The undo and redo history of the open graph: the graph's content as it was before each change.
// Snapshots are whole graphs; their grids share every row a later change did not write, so a
// step of even the largest graph costs little more than the rows it changed.
class EditHistory {
public:
    struct Step {
        // The graph's content before the change (undo) or after it (redo).
        GraphDocument content;
        // Where the change was made (the editing page), to show it again on undo and redo.
        QString origin;
    };

    // Steps kept; the oldest goes first.
    static constexpr std::size_t kDepth = 200;

    // Records a change away from before, made at origin. A change with the same non-null
    // mergeKey and origin as the one just recorded (the next moves of one slider, the next
    // words typed in one field) joins it, so that one undo takes back the whole gesture.
    void record(const GraphDocument& before, const QString& origin, const void* mergeKey);
    // The step that takes current back one change; current becomes the redo of it. Nothing
    // when there is no change to undo.
    std::optional<Step> undo(const GraphDocument& current);
    // The step that makes the change undone last again; current becomes its undo.
    std::optional<Step> redo(const GraphDocument& current);
    bool canUndo() const { return !m_undo.empty(); }
    bool canRedo() const { return !m_redo.empty(); }
    // Forgets every step (another graph was opened or made).
    void clear();
    // How many steps have been recorded so far (joined changes count once); a mark for
    // dropSince.
    std::uint64_t recordedSteps() const { return m_recorded; }
    // Forgets the undo steps recorded since recordedSteps() gave mark, as though their changes
    // had never been made, and lets no later change join a step recorded before.
    void dropSince(std::uint64_t mark);
    // Lets no later change join the step recorded last: what follows is a gesture of its own.
    void endGesture() { m_lastMergeKey = nullptr; }

private:
    std::deque<Step> m_undo;
    std::deque<Step> m_redo;
    // The merge key and origin of the change recorded last; cleared once anything else happens.
    const void* m_lastMergeKey = nullptr;
    QString m_lastOrigin;
    std::uint64_t m_recorded = 0;
};

} // namespace tivora
