#include "controls/grid_text.h"

#include "document/grid.h"

using namespace Qt::StringLiterals;

namespace tivora::grid_text {

QString fromRange(const Grid& grid, const QRect& range) {
    QString text;
    for (int row = range.top(); row <= range.bottom(); ++row) {
        for (int column = range.left(); column <= range.right(); ++column)
            text += grid.cell(column, row) + u'\t';
        text += u"\r\n"_s;
    }
    return text;
}

std::vector<QStringList> toRows(const QString& text) {
    QString unified = text;
    unified.replace(u"\r\n"_s, u"\n"_s);
    if (unified.endsWith(u'\n'))
        unified.chop(1);
    std::vector<QStringList> rows;
    if (unified.isEmpty())
        return rows;
    for (const QString& line : unified.split(u'\n')) {
        QStringList cells = line.split(u'\t');
        if (cells.size() > 1 && line.endsWith(u'\t'))
            cells.removeLast();
        rows.push_back(cells);
    }
    return rows;
}

} // namespace tivora::grid_text
