#pragma once

#include <QString>

namespace tivora {

// text, a decimal number (optional leading blanks, optional sign, digits with an optional "."
// and an optional exponent), written in fixed-point form with exactly places decimals. The
// rounding works on the decimal digits as typed, a half going away from zero, so "1.005" with two
// decimals gives "1.01" where rounding its nearest binary double would give "1.00". A text that
// is not such a number, or whose value is out of range, gives 0.
QString roundDecimalText(const QString& text, int places);

} // namespace tivora
