#include "controls/grids/grid_text.h"

#include "document/grid.h"

using namespace Qt::StringLiterals;

namespace tivora::grid_text {
namespace {

// The first maxColumns cells of one line.
QStringList cellsOf(QStringView line, int maxColumns) {
    QStringList cells;
    for (qsizetype start = 0; cells.size() < maxColumns;) {
        const qsizetype tab = line.indexOf(u'\t', start);
        if (tab < 0) {
            // A Tab after the last cell opens no cell of its own; an empty line is one empty cell.
            if (start < line.size() || cells.isEmpty())
                cells.append(line.sliced(start).toString());
            break;
        }
        cells.append(line.sliced(start, tab - start).toString());
        start = tab + 1;
    }
    return cells;
}

} // namespace

QString fromRange(const Grid& grid, const QRect& range) {
    QString text;
    for (int row = range.top(); row <= range.bottom(); ++row) {
        for (int column = range.left(); column <= range.right(); ++column)
            text += grid.cell(column, row) + u'\t';
        text += u"\r\n"_s;
    }
    return text;
}

std::vector<QStringList> toRows(QStringView text, int maxRows, int maxColumns) {
    if (text.endsWith(u"\r\n"_s))
        text.chop(2);
    else if (text.endsWith(u'\n'))
        text.chop(1);
    std::vector<QStringList> rows;
    if (text.isEmpty())
        return rows;
    for (qsizetype start = 0; int(rows.size()) < maxRows;) {
        const qsizetype end = text.indexOf(u'\n', start);
        QStringView line = text.sliced(start, (end < 0 ? text.size() : end) - start);
        if (line.endsWith(u'\r'))
            line.chop(1);
        rows.push_back(cellsOf(line, maxColumns));
        if (end < 0)
            break;
        start = end + 1;
    }
    return rows;
}

} // namespace tivora::grid_text
