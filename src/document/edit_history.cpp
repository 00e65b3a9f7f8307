#include "document/edit_history.h"

#include "document/graph_content.h"

#include <algorithm>

namespace tivora {
namespace {

// Moves the newest step of from onto to, with current's content in its place; gives the step.
std::optional<EditHistory::Step> swapStep(std::deque<EditHistory::Step>& from,
                                          std::deque<EditHistory::Step>& to,
                                          const GraphDocument& current) {
    if (from.empty())
        return std::nullopt;
    EditHistory::Step step = std::move(from.back());
    from.pop_back();
    to.push_back({graphContent(current), step.origin});
    return step;
}

} // namespace

void EditHistory::record(const GraphDocument& before, const QString& origin, const void* mergeKey) {
    m_redo.clear();
    const bool joins =
        mergeKey && mergeKey == m_lastMergeKey && origin == m_lastOrigin && !m_undo.empty();
    m_lastMergeKey = mergeKey;
    m_lastOrigin = origin;
    if (joins)
        return;
    ++m_recorded;
    m_undo.push_back({graphContent(before), origin});
    if (m_undo.size() > kDepth)
        m_undo.pop_front();
}

std::optional<EditHistory::Step> EditHistory::undo(const GraphDocument& current) {
    m_lastMergeKey = nullptr;
    return swapStep(m_undo, m_redo, current);
}

std::optional<EditHistory::Step> EditHistory::redo(const GraphDocument& current) {
    m_lastMergeKey = nullptr;
    return swapStep(m_redo, m_undo, current);
}

void EditHistory::dropSince(std::uint64_t mark) {
    for (; m_recorded > mark && !m_undo.empty(); --m_recorded)
        m_undo.pop_back();
    m_recorded = std::min(m_recorded, mark);
    m_lastMergeKey = nullptr;
}

void EditHistory::clear() {
    m_undo.clear();
    m_redo.clear();
    m_lastMergeKey = nullptr;
}

} // namespace tivora
