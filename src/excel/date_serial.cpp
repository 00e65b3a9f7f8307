#include "excel/date_serial.h"

#include <QDate>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace tivora::excel {
namespace {

constexpr double kSecondsPerDay = 86400.0;

std::optional<double> timeFraction(QStringView text) {
    static const QRegularExpression time(u"^(\\d{1,2}):(\\d{2})(?::(\\d{2}(?:\\.\\d+)?))?$"_s);
    const QRegularExpressionMatch match = time.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const double seconds = match.captured(1).toInt() * 3600.0 + match.captured(2).toInt() * 60.0 +
                           match.captured(3).toDouble();
    return seconds / kSecondsPerDay;
}

std::optional<double> dateSerial(QStringView text, DateSystem system) {
    const QDate date = QDate::fromString(text.toString(), Qt::ISODate);
    if (!date.isValid())
        return std::nullopt;
    if (system == DateSystem::From1904)
        return double(QDate(1904, 1, 1).daysTo(date));
    // Counting from 1899-12-30 gives the right number from 1900-03-01 on; before that day the
    // count skips the 29 February 1900 that spreadsheets number as day 60.
    const qint64 days = QDate(1899, 12, 30).daysTo(date);
    return double(date < QDate(1900, 3, 1) ? days - 1 : days);
}

} // namespace

std::optional<double> dateTimeSerial(QStringView text, DateSystem system) {
    text = text.trimmed();
    if (const auto time = timeFraction(text))
        return time;
    const qsizetype split = text.indexOf(QRegularExpression(u"[T ]"_s));
    const auto day = dateSerial(split < 0 ? text : text.left(split), system);
    if (!day || split < 0)
        return day;
    const auto time = timeFraction(text.mid(split + 1));
    if (!time)
        return std::nullopt;
    return *day + *time;
}

std::optional<double> durationDays(QStringView text) {
    static const QRegularExpression duration(
        u"^(-)?P(?:(\\d+)D)?(?:T(?:(\\d+)H)?(?:(\\d+)M)?(?:(\\d+(?:\\.\\d+)?)S)?)?$"_s);
    const QRegularExpressionMatch match = duration.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    const double seconds = match.captured(3).toDouble() * 3600.0 +
                           match.captured(4).toDouble() * 60.0 + match.captured(5).toDouble();
    const double days = match.captured(2).toDouble() + seconds / kSecondsPerDay;
    return match.capturedLength(1) > 0 ? -days : days;
}

} // namespace tivora::excel
