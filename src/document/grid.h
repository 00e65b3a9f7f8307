#pragma once

#include "document/window_color.h"

#include <QList>
#include <QString>
#include <optional>

namespace tivora {

// A table of text cells, each with an optional background colour, addressed (column, row) with row
// 0 holding the column titles. Lowering the row or column count keeps the cells beyond it, so
// raising the count again brings the old cells back.
class Grid {
public:
    struct Cell {
        QString text;
        std::optional<WindowColor> color;
        bool operator==(const Cell&) const = default;
    };

    Grid() = default;
    Grid(int columnCount, int rowCount);

    int columnCount() const { return m_columnCount; }
    int rowCount() const { return m_rowCount; }
    void setColumnCount(int count);
    void setRowCount(int count);
    // Fixed (heading) rows and columns: shown apart by a grid view, and never inserted before or
    // deleted.
    int fixedColumnCount() const { return m_fixedColumnCount; }
    int fixedRowCount() const { return m_fixedRowCount; }
    void setFixedColumnCount(int count) { m_fixedColumnCount = count; }
    void setFixedRowCount(int count) { m_fixedRowCount = count; }

    // Cells outside the stored area read as empty; writing one makes room for it.
    QString cell(int column, int row) const;
    // The same text without a copy, for readers of many cells; valid until the grid changes.
    QStringView cellView(int column, int row) const;
    void setCell(int column, int row, QString text);
    std::optional<WindowColor> cellColor(int column, int row) const;
    void setCellColor(int column, int row, std::optional<WindowColor> color);

    // Inserts an empty row at row (at least the first non-fixed row, at most one past the last),
    // moving it and every row below down by one; the row count grows by one. Gives the index the
    // new row took.
    int insertRow(int row);
    // Removes row, moving every row below up by one; the row count shrinks by one. Does nothing
    // for a fixed row, a row past the last, or when only one non-fixed row is left; tells whether
    // it removed the row.
    bool deleteRow(int row);

    // Grids are equal when their counts and every cell, including those kept beyond the counts,
    // are; a cell never written equals an empty one.
    bool operator==(const Grid& other) const;

private:
    Cell& cellRef(int column, int row);
    const Cell* findCell(int column, int row) const;

    int m_columnCount = 0;
    int m_rowCount = 0;
    int m_fixedColumnCount = 0;
    int m_fixedRowCount = 0;
    // Stored rows of stored cells; may reach beyond the counts. Implicitly shared, row by row, so
    // that copies of a large graph (the undo history keeps many) share every row not written
    // since, and comparing such copies skips the rows they share.
    QList<QList<Cell>> m_rows;
};

} // namespace tivora
