#include "document/graph_document_model.h"

#include "document/graph_content.h"
#include "document/grid_layouts.h"

namespace tivora {
namespace {

int emptyLineWidthCells(const GraphDocument& document) {
    const Grid& properties = document.series.sgrdProp;
    int empty = 0;
    for (int row = 1; row < document.series.sgrdData.rowCount(); ++row) {
        if (properties.cell(PropLineWidth, row).isEmpty())
            ++empty;
    }
    return empty;
}

} // namespace

GraphDocumentModel::GraphDocumentModel(QObject* parent)
    : QObject(parent) {}

void GraphDocumentModel::edit(const std::function<void(GraphDocument&)>& change,
                              const void* mergeKey) {
    // A copy is cheap: its grids share their rows until the change writes one.
    const GraphDocument before = m_document;
    change(m_document);
    if (!sameContent(before, m_document)) {
        m_history.record(before, m_editOrigin, mergeKey);
        Q_EMIT historyChanged();
    }
    Q_EMIT changed();
}

void GraphDocumentModel::replace(GraphDocument document) {
    edit([&document](GraphDocument& current) { current = std::move(document); });
}

GraphWriteResult GraphDocumentModel::write(const QString& path, Durability durability) {
    const bool mayFillLineWidths = emptyLineWidthCells(m_document) > 0;
    GraphWriteResult result = WriteGraphText(m_document, path, durability);
    if (mayFillLineWidths && emptyLineWidthCells(m_document) == 0)
        Q_EMIT changed();
    return result;
}

void GraphDocumentModel::load(GraphDocument document) {
    m_document = std::move(document);
    clearHistory();
    Q_EMIT changed();
}

GraphReadResult GraphDocumentModel::read(const QString& path) {
    GraphDocument read = m_document;
    GraphReadResult result = ReadGraphFile(read, path);
    if (result)
        load(std::move(read));
    return result;
}

bool GraphDocumentModel::undo() {
    return restore(m_history.undo(m_document));
}

bool GraphDocumentModel::redo() {
    return restore(m_history.redo(m_document));
}

bool GraphDocumentModel::restore(const std::optional<EditHistory::Step>& step) {
    if (!step)
        return false;
    m_document = withBookkeepingOf(step->content, m_document);
    Q_EMIT historyChanged();
    Q_EMIT changed();
    Q_EMIT restored(step->origin);
    return true;
}

GraphDocumentModel::Checkpoint GraphDocumentModel::checkpoint() {
    m_history.endGesture();
    return {graphContent(m_document), m_history.recordedSteps()};
}

void GraphDocumentModel::rollBack(const Checkpoint& point) {
    m_history.dropSince(point.recordedSteps);
    m_document = withBookkeepingOf(point.content, m_document);
    Q_EMIT historyChanged();
    Q_EMIT changed();
}

void GraphDocumentModel::clearHistory() {
    m_history.clear();
    Q_EMIT historyChanged();
}

} // namespace tivora
