#include "document/number_text.h"

#include "document/printable_text.h"

#include <QLocale>
#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace tivora {
namespace {

std::optional<int> digitValue(QChar character, int base) {
    const char16_t code = character.unicode();
    int value = base;
    if (code >= u'0' && code <= u'9')
        value = code - u'0';
    else if (code >= u'a' && code <= u'f')
        value = code - u'a' + 10;
    else if (code >= u'A' && code <= u'F')
        value = code - u'A' + 10;
    if (value >= base)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<int> parseWholeNumber(QStringView text) {
    qsizetype at = 0;
    while (at < text.size() && text[at] == u' ')
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == u'-' || text[at] == u'+'))
        negative = text[at++] == u'-';
    int base = 10;
    if (at < text.size() && text[at] == u'$') {
        base = 16;
        ++at;
    }
    if (at >= text.size())
        return std::nullopt;
    // Hexadecimal numbers may fill all 32 bits; decimal ones stay within the signed range.
    const qint64 limit = base == 16 ? qint64(std::numeric_limits<quint32>::max())
                                    : qint64(std::numeric_limits<int>::max()) + (negative ? 1 : 0);
    qint64 value = 0;
    for (; at < text.size(); ++at) {
        const auto digit = digitValue(text[at], base);
        if (!digit)
            return std::nullopt;
        value = value * base + *digit;
        if (value > limit)
            return std::nullopt;
    }
    if (base == 16)
        value = qint64(qint32(quint32(value)));
    return int(negative ? -value : value);
}

std::optional<double> parseDecimalNumber(QStringView text) {
    static const QLocale locale = [] {
        QLocale c = QLocale::c();
        c.setNumberOptions(QLocale::RejectGroupSeparator);
        return c;
    }();
    bool ok = false;
    const double value = locale.toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString invalidIntegerMessage(QStringView text) {
    return u"'%1' is not a valid integer value"_s.arg(printableText(text));
}

bool isBlankText(QStringView text) {
    for (const QChar character : text) {
        if (character.unicode() > u' ')
            return false;
    }
    return true;
}

} // namespace tivora
