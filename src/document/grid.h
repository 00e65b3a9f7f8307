#pragma once

#include "document/window_color.h"

#include <QList>
#include <QString>
#include <algorithm>
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
    QStringView cellView(int column, int row) const {
        return row >= 0 && row < m_rows.size() ? m_rows.at(row).text(column) : QStringView();
    }
    // A long text given as a string is kept as that string, shared with it.
    void setCell(int column, int row, QStringView text);
    void setCell(int column, int row, const QString& text);
    // Writes text into count cells of row from column on, storing it once: a reader repeating a
    // list's last item over a long row stays as small as the item.
    void fillCells(int column, int row, int count, QStringView text);
    void fillCells(int column, int row, int count, const QString& text);
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

    // Forgets every stored cell outside the first columnCount columns and rowCount rows, so that
    // raising a count later shows empty cells there instead of what an earlier graph left.
    void discardCellsBeyond(int columnCount, int rowCount);
    void discardHiddenCells() { discardCellsBeyond(m_columnCount, m_rowCount); }

    // Grids are equal when their counts and every cell, including those kept beyond the counts,
    // are; a cell never written equals an empty one.
    bool operator==(const Grid& other) const;

private:
    // Where a cell's text lies: a range of its row's buffer, or with size kSeparate the separate
    // text numbered start. A row never holds 2^31 characters (the reader caps items and columns
    // far below), and half-size spans halve a large grid's index.
    struct Span {
        qint32 start = 0;
        qint32 size = 0;
    };
    static constexpr qint32 kSeparate = -1;
    // Texts at least this long are kept apart, as strings shared with the grid's copies, with
    // other rows and with whoever wrote them: one long text given to every row is stored once.
    static constexpr qsizetype kSeparateLength = 256;

    // One row's cells. Their short texts share one buffer, so a grid costs a few allocations a
    // row instead of one a cell. A rewritten cell's text goes to the end of the buffer (or of the
    // separate texts), which is packed again once about half of it is text no cell refers to.
    struct Row {
        QString buffer;
        QList<QString> separate;
        QList<Span> spans;
        QList<std::optional<WindowColor>> colors; // only as far as a colour was set
        qsizetype unusedBuffer = 0;               // at least the buffer no cell refers to
        qsizetype unusedSeparate = 0;             // at least the separate texts no cell refers to

        QStringView text(qsizetype column) const {
            if (column < 0 || column >= spans.size())
                return {};
            const Span span = spans.at(column);
            if (span.size == kSeparate)
                return separate.at(span.start);
            return QStringView(buffer.constData() + span.start, span.size);
        }
        std::optional<WindowColor> color(qsizetype column) const;
        qsizetype storedCells() const { return std::max(spans.size(), colors.size()); }
        bool isSharedWith(const Row& other) const;
        bool sameCells(const Row& other) const;
        Span storeInBuffer(QStringView text);
        Span storeSeparate(QString text);
        void truncate(qsizetype columnCount);
        // Points count cells from column on at stored; room is made for at least roomFor cells
        // once the row must grow.
        void place(qsizetype column, qsizetype count, Span stored, qsizetype roomFor);
        void pack();
    };

    // whole, when given, is text as a string that a long text can share.
    void write(int column, int row, int count, QStringView text, const QString* whole);
    const Row* findRow(int row) const;
    Row& rowRef(int row);

    int m_columnCount = 0;
    int m_rowCount = 0;
    int m_fixedColumnCount = 0;
    int m_fixedRowCount = 0;
    // Stored rows of stored cells; may reach beyond the counts. Implicitly shared, row by row, so
    // that copies of a large graph (the undo history keeps many) share every row not written
    // since, and comparing such copies skips the rows they share.
    QList<Row> m_rows;
};

} // namespace tivora
