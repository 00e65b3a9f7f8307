#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// Numbers as the window's edits hold them: text that the writer and reader convert with the same
// rules the graph files were always made with.
namespace tivora {

// A whole number: optional leading blanks, an optional sign, then decimal digits or "$" and
// hexadecimal digits, and nothing after them. Gives nothing for any other text or a number
// outside the 32-bit range.
std::optional<int> parseWholeNumber(QStringView text);
// A decimal number with "." as the separator and an optional exponent, blanks allowed around it.
std::optional<double> parseDecimalNumber(QStringView text);

// "'text' is not a valid integer value": the message of a text that is not a whole number.
QString invalidIntegerMessage(QStringView text);

// True when text holds nothing but blanks and control characters, as a trimmed field is empty.
bool isBlankText(QStringView text);

} // namespace tivora
