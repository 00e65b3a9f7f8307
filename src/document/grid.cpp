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
    // Rows and cells are made room for up to the counts at once: grids are filled cell by cell.
    if (std::size_t(row) >= m_rows.size())
        m_rows.resize(std::max(std::size_t(row) + 1, std::size_t(m_rowCount)));
    auto& cells = m_rows[std::size_t(row)];
    if (std::size_t(column) >= cells.size())
        cells.resize(std::max(std::size_t(column) + 1, std::size_t(m_columnCount)));
    return cells[std::size_t(column)];
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
    static const Cell kEmpty;
    const std::size_t rows = std::max(m_rows.size(), other.m_rows.size());
    for (std::size_t row = 0; row < rows; ++row) {
        const std::size_t columns =
            std::max(row < m_rows.size() ? m_rows[row].size() : 0,
                     row < other.m_rows.size() ? other.m_rows[row].size() : 0);
        for (std::size_t column = 0; column < columns; ++column) {
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
