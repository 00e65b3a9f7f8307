#pragma once

#include <QString>

namespace tivora::excel {

// The raw value of one worksheet cell, as a spreadsheet holds it: dates and times are numbers (a
// day count with the time of day as its fraction), a formula is its last calculated result.
struct CellValue {
    enum class Kind { Empty, Number, Text, Boolean, Error };

    Kind kind = Kind::Empty;
    double number = 0.0;
    // Text, or an error's own text ("#N/A").
    QString text;
    bool boolean = false;

    static CellValue ofNumber(double value) { return {Kind::Number, value, {}, false}; }
    static CellValue ofText(QString value) { return {Kind::Text, 0.0, std::move(value), false}; }
    static CellValue ofBoolean(bool value) { return {Kind::Boolean, 0.0, {}, value}; }
    static CellValue ofError(QString value) { return {Kind::Error, 0.0, std::move(value), false}; }

    bool operator==(const CellValue&) const = default;
};

// The text a grid cell gets for a value: empty for an empty cell, text as it stands, whole numbers
// in decimal, other numbers in general format with up to 15 significant digits and the system's
// decimal separator, logical values as "True" or "False", errors as their text.
QString cellValueText(const CellValue& value);

// A number as cellValueText writes it, with decimalPoint as the separator.
QString numberText(double value, QChar decimalPoint);

} // namespace tivora::excel
