#pragma once

#include <QRect>
#include <QString>
#include <QStringList>
#include <vector>

namespace tivora {

class Grid;

// The plain-text form in which grids copy and paste cell ranges: one line per row, each cell
// followed by a Tab, each line ended by CR LF. Spreadsheets read and write the same form.
namespace grid_text {

// The text of the cells in range (columns x, rows y; inclusive).
QString fromRange(const Grid& grid, const QRect& range);
// The rows of a text in that form, each a list of cell texts: at most maxRows rows of at most
// maxColumns cells, however many the text holds, so that a paste of megabytes of line breaks
// costs no more than the cells it can fill. Lines may also end in LF alone; the Tab after a
// row's last cell and the line end after the last row are optional.
std::vector<QStringList> toRows(QStringView text, int maxRows, int maxColumns);

} // namespace grid_text
} // namespace tivora
