#include "controls/decimal_rounding.h"

#include <QRegularExpression>
#include <cmath>
#include <optional>

using namespace Qt::StringLiterals;

namespace tivora {
namespace {

// A number as its decimal digits and where its point stands: "-12.5e1" is negative, digits
// "125", point 3 (the point stands after the third digit).
struct DecimalDigits {
    bool negative = false;
    QString digits;
    qsizetype point = 0;
};

std::optional<DecimalDigits> parseDigits(const QString& text) {
    static const QRegularExpression number(
        uR"(^\s*([+-]?)(?:(\d+)\.?(\d*)|\.(\d+))(?:[eE]([+-]?\d+))?$)"_s);
    const QRegularExpressionMatch match = number.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    // A value beyond the range of a double counts as no number, as it always has.
    if (!std::isfinite(text.trimmed().toDouble()))
        return std::nullopt;
    DecimalDigits parsed;
    parsed.negative = match.captured(1) == u"-"_s;
    const QString whole = match.captured(2);
    parsed.digits = whole + match.captured(3) + match.captured(4);
    parsed.point = whole.size();
    if (match.hasCaptured(5)) {
        bool inRange = false;
        const int exponent = match.captured(5).toInt(&inRange);
        // An exponent beyond int range with a finite value can only make the number vanish.
        if (!inRange)
            return DecimalDigits{};
        parsed.point += exponent;
    }
    return parsed;
}

// Adds one unit in the last place of digits; gives whether a new leading digit was needed.
bool carryOne(QString& digits) {
    for (qsizetype index = digits.size() - 1; index >= 0; --index) {
        if (digits[index] != u'9') {
            digits[index] = QChar(digits[index].unicode() + 1);
            return false;
        }
        digits[index] = u'0';
    }
    digits.prepend(u'1');
    return true;
}

QString fixedPoint(DecimalDigits number, int places) {
    // Digits far below the last decimal kept round to nothing.
    if (number.point < -qsizetype(places) - 1)
        number = DecimalDigits{};
    if (number.point < 1) {
        number.digits.prepend(QString(1 - number.point, u'0'));
        number.point = 1;
    }
    const qsizetype kept = number.point + places;
    if (number.digits.size() <= kept)
        number.digits.append(QString(kept + 1 - number.digits.size(), u'0'));
    const bool roundsUp = number.digits[kept] >= u'5';
    number.digits.truncate(kept);
    if (roundsUp && carryOne(number.digits))
        ++number.point;
    QString whole = number.digits.left(number.point);
    while (whole.size() > 1 && whole.front() == u'0')
        whole.remove(0, 1);
    const QString fraction = number.digits.mid(number.point);
    const bool zero = whole == u"0"_s && fraction.count(u'0') == fraction.size();
    QString result = number.negative && !zero ? u"-"_s + whole : whole;
    if (places > 0)
        result += u'.' + fraction;
    return result;
}

} // namespace

QString roundDecimalText(const QString& text, int places) {
    return fixedPoint(parseDigits(text).value_or(DecimalDigits{}), std::max(places, 0));
}

} // namespace tivora
