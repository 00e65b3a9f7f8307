#pragma once

#include "excel/cell_range.h"
#include "excel/cell_value.h"

#include <QString>
#include <memory>
#include <optional>
#include <vector>

namespace tivora::excel {

// The raw values of a range, row by row.
class RangeValues {
public:
    RangeValues() = default;
    explicit RangeValues(const CellRange& range);

    const CellRange& range() const { return m_range; }
    qint64 cellCount() const { return m_range.cellCount(); }
    // The value of a worksheet cell inside the range; empty when nothing was put there.
    const CellValue& at(int column, int row) const;
    // Sets a worksheet cell's value; a cell outside the range is left out.
    void put(int column, int row, CellValue value);

private:
    qsizetype indexOf(int column, int row) const;

    CellRange m_range;
    std::vector<CellValue> m_values;
};

// A spreadsheet file opened for reading: its worksheets by number, and the raw values of a cell
// range on one of them.
class Workbook {
public:
    virtual ~Workbook() = default;

    virtual int worksheetCount() const = 0;
    // Reads range on worksheet (counted from 1, at most worksheetCount()) into values. Gives the
    // message that says why the worksheet could not be read; values is then left unspecified.
    [[nodiscard]] virtual std::optional<QString> readRange(int worksheet, const CellRange& range,
                                                           RangeValues& values) = 0;
};

// The largest number of cells a range import reads: enough for a graph with all its series and
// columns many times over, and far from what memory allows.
inline constexpr qint64 kMostRangeCells = 1'000'000;

// The longest text a cell holds in a spreadsheet program, and so the longest a range import takes
// into a graph cell.
inline constexpr qsizetype kLongestCellText = 32767;
// Readers keep at most this much of a cell's text: one character more than the longest, so that a
// longer text (which only a crafted file holds) is told from one that fits and refused by the
// import instead of cut short, and no cell of any file can fill memory.
inline constexpr qsizetype kCellTextKept = kLongestCellText + 1;

} // namespace tivora::excel
