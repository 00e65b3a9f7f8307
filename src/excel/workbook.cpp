#include "excel/workbook.h"

namespace tivora::excel {

RangeValues::RangeValues(const CellRange& range)
    : m_range(range)
    , m_values(std::size_t(range.cellCount())) {}

qsizetype RangeValues::indexOf(int column, int row) const {
    if (!m_range.contains(column, row))
        return -1;
    return qsizetype(row - m_range.first.row) * m_range.columnCount() +
           (column - m_range.first.column);
}

const CellValue& RangeValues::at(int column, int row) const {
    static const CellValue empty;
    const qsizetype index = indexOf(column, row);
    return index < 0 ? empty : m_values[std::size_t(index)];
}

void RangeValues::put(int column, int row, CellValue value) {
    const qsizetype index = indexOf(column, row);
    if (index >= 0)
        m_values[std::size_t(index)] = std::move(value);
}

} // namespace tivora::excel
