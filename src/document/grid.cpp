#include "document/grid.h"

namespace tivora {

std::optional<WindowColor> Grid::Row::color(qsizetype column) const {
    return column >= 0 && column < colors.size() ? colors.at(column) : std::nullopt;
}

bool Grid::Row::isSharedWith(const Row& other) const {
    return buffer.isSharedWith(other.buffer) && separate.isSharedWith(other.separate) &&
           spans.isSharedWith(other.spans) && colors.isSharedWith(other.colors);
}

bool Grid::Row::sameCells(const Row& other) const {
    const qsizetype columns = std::max(storedCells(), other.storedCells());
    for (qsizetype column = 0; column < columns; ++column) {
        if (text(column) != other.text(column) || color(column) != other.color(column))
            return false;
    }
    return true;
}

Grid::Span Grid::Row::storeInBuffer(QStringView text) {
    if (text.isEmpty())
        return {};
    const Span stored{qint32(buffer.size()), qint32(text.size())};
    // Text from this row's own buffer would move under our feet when the buffer grows.
    const QString ownCopy =
        text.data() >= buffer.constData() && text.data() < buffer.constData() + buffer.size()
            ? text.toString()
            : QString();
    if (!ownCopy.isNull())
        text = ownCopy;
    // A row filled cell by cell grows its buffer by doubling, not by each cell's text.
    const qsizetype needed = buffer.size() + text.size();
    if (buffer.capacity() < needed)
        buffer.reserve(std::max(needed, 2 * buffer.size()));
    buffer.append(text);
    return stored;
}

Grid::Span Grid::Row::storeSeparate(QString text) {
    separate.append(std::move(text));
    return Span{qint32(separate.size() - 1), kSeparate};
}

void Grid::Row::place(qsizetype column, qsizetype count, Span stored, qsizetype roomFor) {
    const qsizetype end = column + count;
    if (spans.size() < end) {
        if (spans.capacity() < end)
            spans.reserve(std::max(end, roomFor));
        spans.resize(end);
    }
    for (Span* span = spans.data() + column; span != spans.data() + end; ++span) {
        if (span->size == kSeparate)
            ++unusedSeparate;
        else
            unusedBuffer += span->size;
        *span = stored;
    }
    if (unusedBuffer * 2 > buffer.size() || unusedSeparate * 2 > separate.size())
        pack();
}

void Grid::Row::truncate(qsizetype columnCount) {
    if (storedCells() <= columnCount)
        return;
    if (spans.size() > columnCount)
        spans.resize(columnCount);
    if (colors.size() > columnCount)
        colors.resize(columnCount);
    // The texts of the dropped cells are no longer referred to; packing gives their room back.
    pack();
}

void Grid::Row::pack() {
    QString packedBuffer;
    packedBuffer.reserve(buffer.size() - std::min(unusedBuffer, buffer.size()));
    QList<QString> packedSeparate;
    // Cells filled with one text lie side by side and keep sharing it. (Once split by other
    // texts they may get a copy each: short texts cost little, and long ones are shared strings.)
    Span previous{0, 0};
    Span previousPacked{0, 0};
    for (Span& span : spans) {
        if (span.size == 0)
            continue;
        if (span.start == previous.start && span.size == previous.size) {
            span = previousPacked;
            continue;
        }
        previous = span;
        if (span.size == kSeparate) {
            span.start = qint32(packedSeparate.size());
            packedSeparate.append(separate.at(previous.start));
        } else {
            span.start = qint32(packedBuffer.size());
            packedBuffer.append(QStringView(buffer).sliced(previous.start, previous.size));
        }
        previousPacked = span;
    }
    buffer = std::move(packedBuffer);
    separate = std::move(packedSeparate);
    unusedBuffer = 0;
    unusedSeparate = 0;
}

Grid::Grid(int columnCount, int rowCount)
    : m_columnCount(std::max(columnCount, 0))
    , m_rowCount(std::max(rowCount, 0)) {}

void Grid::setColumnCount(int count) {
    m_columnCount = std::max(count, 0);
}

void Grid::setRowCount(int count) {
    m_rowCount = std::max(count, 0);
}

const Grid::Row* Grid::findRow(int row) const {
    return row >= 0 && row < m_rows.size() ? &m_rows.at(row) : nullptr;
}

Grid::Row& Grid::rowRef(int row) {
    Q_ASSERT(row >= 0);
    // Rows are made room for up to the count at once: grids are filled row by row.
    if (row >= m_rows.size())
        m_rows.resize(std::max(row + 1, m_rowCount));
    return m_rows[row];
}

QString Grid::cell(int column, int row) const {
    return cellView(column, row).toString();
}

void Grid::setCell(int column, int row, QStringView text) {
    write(column, row, 1, text, nullptr);
}

void Grid::setCell(int column, int row, const QString& text) {
    write(column, row, 1, text, &text);
}

void Grid::fillCells(int column, int row, int count, QStringView text) {
    write(column, row, count, text, nullptr);
}

void Grid::fillCells(int column, int row, int count, const QString& text) {
    write(column, row, count, text, &text);
}

void Grid::write(int column, int row, int count, QStringView text, const QString* whole) {
    if (column < 0 || row < 0 || count <= 0)
        return;
    Row& cells = rowRef(row);
    const Span stored = text.size() < kSeparateLength
                            ? cells.storeInBuffer(text)
                            : cells.storeSeparate(whole ? *whole : text.toString());
    // Cells are made room for up to the count at once: rows are filled cell by cell.
    cells.place(column, count, stored, m_columnCount);
}

void Grid::discardCellsBeyond(int columnCount, int rowCount) {
    if (m_rows.size() > std::max(rowCount, 0))
        m_rows.resize(std::max(rowCount, 0));
    for (Row& row : m_rows)
        row.truncate(std::max(columnCount, 0));
}

std::optional<WindowColor> Grid::cellColor(int column, int row) const {
    const Row* found = findRow(row);
    return found ? found->color(column) : std::nullopt;
}

void Grid::setCellColor(int column, int row, std::optional<WindowColor> color) {
    if (column < 0 || row < 0)
        return;
    Row& cells = rowRef(row);
    if (column >= cells.colors.size()) {
        if (!color)
            return;
        // Colours are set in a few leading columns only (a series' colour, a slice's): a row keeps
        // room for as far as one was set, not for every column of a long data row.
        cells.colors.resize(column + 1);
    }
    cells.colors[column] = color;
}

bool Grid::operator==(const Grid& other) const {
    if (m_columnCount != other.m_columnCount || m_rowCount != other.m_rowCount ||
        m_fixedColumnCount != other.m_fixedColumnCount || m_fixedRowCount != other.m_fixedRowCount)
        return false;
    if (m_rows.isSharedWith(other.m_rows))
        return true;
    static const Row kEmpty;
    const qsizetype rows = std::max(m_rows.size(), other.m_rows.size());
    for (qsizetype row = 0; row < rows; ++row) {
        const Row* mine = findRow(int(row));
        const Row* theirs = other.findRow(int(row));
        if (mine && theirs && mine->isSharedWith(*theirs))
            continue;
        if (!(mine ? *mine : kEmpty).sameCells(theirs ? *theirs : kEmpty))
            return false;
    }
    return true;
}

int Grid::insertRow(int row) {
    // A new row goes between the fixed rows and the end; there is nothing to insert it before
    // past the last row.
    row = std::clamp(row, m_fixedRowCount, std::max(m_rowCount, m_fixedRowCount));
    if (row < m_rows.size())
        m_rows.insert(row, Row());
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
