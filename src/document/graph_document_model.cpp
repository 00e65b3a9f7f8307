#include "document/graph_document_model.h"

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

void GraphDocumentModel::edit(const std::function<void(GraphDocument&)>& change) {
    change(m_document);
    Q_EMIT changed();
}

void GraphDocumentModel::replace(GraphDocument document) {
    m_document = std::move(document);
    Q_EMIT changed();
}

GraphWriteResult GraphDocumentModel::write(const QString& path) {
    const bool mayFillLineWidths = emptyLineWidthCells(m_document) > 0;
    const GraphWriteResult result = WriteGraphText(m_document, path);
    if (mayFillLineWidths && emptyLineWidthCells(m_document) == 0)
        Q_EMIT changed();
    return result;
}

GraphReadResult GraphDocumentModel::read(const QString& path) {
    GraphReadResult result = ReadGraphFile(m_document, path);
    if (result)
        Q_EMIT changed();
    return result;
}

} // namespace tivora
