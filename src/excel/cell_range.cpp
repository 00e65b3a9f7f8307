#include "excel/cell_range.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace tivora::excel {

CellRange CellRange::between(CellAddress a, CellAddress b) {
    return {{std::min(a.column, b.column), std::min(a.row, b.row)},
            {std::max(a.column, b.column), std::max(a.row, b.row)}};
}

QString CellRange::name() const {
    return cellName(first) + u':' + cellName(last);
}

std::optional<int> columnNumber(QStringView letters) {
    if (letters.isEmpty() || letters.size() > 3)
        return std::nullopt;
    int number = 0;
    for (const QChar letter : letters) {
        const char16_t upper = letter.toUpper().unicode();
        if (upper < u'A' || upper > u'Z')
            return std::nullopt;
        number = number * 26 + (upper - u'A' + 1);
    }
    if (number > kLastColumn)
        return std::nullopt;
    return number;
}

QString columnLetters(int column) {
    QString letters;
    for (; column > 0; column = (column - 1) / 26)
        letters.prepend(QChar(u'A' + (column - 1) % 26));
    return letters;
}

QString cellName(CellAddress cell) {
    return columnLetters(cell.column) + QString::number(cell.row);
}

std::variant<CellAddress, QString> parseCell(const QString& letters, const QString& rowNumber) {
    const QString rowText = rowNumber.trimmed();
    const QString name = letters.trimmed() + rowText;
    bool whole = false;
    const int row = rowText.toInt(&whole);
    if (!whole)
        return u"'%1' is not a valid row number.  Cell %2 cannot be read."_s.arg(rowText, name);
    const auto column = columnNumber(letters.trimmed());
    if (!column || row < 1 || row > kLastRow)
        return u"'%1' is not a valid cell name."_s.arg(name);
    return CellAddress{*column, row};
}

} // namespace tivora::excel
