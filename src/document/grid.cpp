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
    if (column < 0 || row < 0 || row >= m_rows.size())
        return nullptr;
    const auto& cells = m_rows.at(row);
    return column < cells.size() ? &cells.at(column) : nullptr;
}

Grid::Cell& Grid::cellRef(int column, int row) {
    Q_ASSERT(column >= 0 && row >= 0);
    // Rows and cells are made room for up to the counts at once: grids are filled cell by cell.
    if (row >= m_rows.size())
        m_rows.resize(std::max(row + 1, m_rowCount));
    auto& cells = m_rows[row];
    if (column >= cells.size())
        cells.resize(std::max(column + 1, m_columnCount));
    return cells[column];
}

QString Grid::cell(int column, int row) const {
    const Cell* found = findCell(column, row);
    return found ? found->text : QString();
}

QStringView Grid::cellView(int column, int row) const {
    const Cell* found = findCell(column, row);
    return found ? QStringView(found->text) : QStringView();
}

void Grid::setCell(int column, int row, QString text) {
    if (column < 0 || row < 0)
        return;
    cellRef(column, row).text = std::move(text);
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

bool Grid::operator==(const Grid& other) const {
    if (m_columnCount != other.m_columnCount || m_rowCount != other.m_rowCount ||
        m_fixedColumnCount != other.m_fixedColumnCount || m_fixedRowCount != other.m_fixedRowCount)
        return false;
    if (m_rows.isSharedWith(other.m_rows))
        return true;
    static const Cell kEmpty;
    const qsizetype rows = std::max(m_rows.size(), other.m_rows.size());
    for (qsizetype row = 0; row < rows; ++row) {
        if (row < m_rows.size() && row < other.m_rows.size() &&
            m_rows.at(row).isSharedWith(other.m_rows.at(row)))
            continue;
        const qsizetype columns =
            std::max(row < m_rows.size() ? m_rows.at(row).size() : 0,
                     row < other.m_rows.size() ? other.m_rows.at(row).size() : 0);
        for (qsizetype column = 0; column < columns; ++column) {
            const Cell* mine = findCell(int(column), int(row));
            const Cell* theirs = other.findCell(int(column), int(row));
            if ((mine ? *mine : kEmpty) != (theirs ? *theirs : kEmpty))
                return false;
        }
    }
    return true;
}

int Grid::insertRow(int row) {
    // A new row goes between the fixed rows and the end; there is nothing to insert it before
    // past the last row.
    row = std::clamp(row, m_fixedRowCount, std::max(m_rowCount, m_fixedRowCount));
    if (row < m_rows.size())
        m_rows.insert(row, QList<Cell>());
    ++m_rowCount;
    return row;
}

bool Grid::deleteRow(int row) {
    if (row < m_fixedRowCount || row >= m_rowCount || m_rowCount - m_fixedRowCount <= 1)
        return false;
    if (row < m_rows.size())
        m_rows.removeAt(row);
    --m_rowCount;
    return true;
}

} // namespace tivora
