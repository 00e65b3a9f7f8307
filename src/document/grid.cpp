#include "document/grid.h"

#include <algorithm>

namespace tivora {

Grid::Grid(int columnCount, int rowCount)
    : m_columnCount(std::max(columnCount, 0))
    , m_rowCount(std::max(rowCount, 0)) {}

void Grid::setColumnCount(int count) {
    m_columnCount = std::max(count, 0);
}

void Grid::setRowCount(int count) {
    m_rowCount = std::max(count, 0);
}

const Grid::Cell* Grid::findCell(int column, int row) const {
    if (column < 0 || row < 0 || std::size_t(row) >= m_rows.size())
        return nullptr;
    const auto& cells = m_rows[std::size_t(row)];
    return std::size_t(column) < cells.size() ? &cells[std::size_t(column)] : nullptr;
}

Grid::Cell& Grid::cellRef(int column, int row) {
    Q_ASSERT(column >= 0 && row >= 0);
    if (std::size_t(row) >= m_rows.size())
        m_rows.resize(std::size_t(row) + 1);
    auto& cells = m_rows[std::size_t(row)];
    if (std::size_t(column) >= cells.size())
        cells.resize(std::size_t(column) + 1);
    return cells[std::size_t(column)];
}

QString Grid::cell(int column, int row) const {
    const Cell* found = findCell(column, row);
    return found ? found->text : QString();
}

void Grid::setCell(int column, int row, const QString& text) {
    if (column < 0 || row < 0)
        return;
    cellRef(column, row).text = text;
}

std::optional<WindowColor> Grid::cellColor(int column, int row) const {
    const Cell* found = findCell(column, row);
    return found ? found->color : std::nullopt;
}

void Grid::setCellColor(int column, int row, std::optional<WindowColor> color) {
    if (column < 0 || row < 0)
        return;
    cellRef(column, row).color = color;
}

int Grid::insertRow(int row) {
    row = std::max(row, m_fixedRowCount);
    if (std::size_t(row) < m_rows.size())
        m_rows.insert(m_rows.begin() + row, std::vector<Cell>());
    ++m_rowCount;
    return row;
}

bool Grid::deleteRow(int row) {
    if (row < m_fixedRowCount || row >= m_rowCount || m_rowCount - m_fixedRowCount <= 1)
        return false;
    if (std::size_t(row) < m_rows.size())
        m_rows.erase(m_rows.begin() + row);
    --m_rowCount;
    return true;
}

} // namespace tivora
