#pragma once

#include <QString>
#include <optional>
#include <variant>

namespace tivora::excel {

// The largest worksheet: columns A to XFD, rows 1 to 1048576.
inline constexpr int kLastColumn = 16384;
inline constexpr int kLastRow = 1048576;

// One cell, column and row counted from 1.
struct CellAddress {
    int column = 1;
    int row = 1;

    bool operator==(const CellAddress&) const = default;
};

// A rectangle of cells, its corners in order (first column and row at most the last ones).
struct CellRange {
    CellAddress first;
    CellAddress last;

    // The rectangle between two corners given in any order, as a spreadsheet takes them.
    static CellRange between(CellAddress a, CellAddress b);

    int rowCount() const { return last.row - first.row + 1; }
    int columnCount() const { return last.column - first.column + 1; }
    qint64 cellCount() const { return qint64(rowCount()) * columnCount(); }
    bool contains(int column, int row) const {
        return column >= first.column && column <= last.column && row >= first.row &&
               row <= last.row;
    }
    // "A1:C15".
    QString name() const;

    bool operator==(const CellRange&) const = default;
};

// The number of column letters ("A" 1, "Z" 26, "AA" 27, any letter case), or nothing when they are
// not letters naming a worksheet column.
std::optional<int> columnNumber(QStringView letters);
QString columnLetters(int column);
// "C15".
QString cellName(CellAddress cell);

// Column letters and row number as the link settings hold them, each trimmed of blanks. Gives the
// cell, or the message that says which part is wrong.
std::variant<CellAddress, QString> parseCell(const QString& letters, const QString& rowNumber);

} // namespace tivora::excel
