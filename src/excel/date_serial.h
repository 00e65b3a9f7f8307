#pragma once

#include <QString>
#include <optional>

// Spreadsheets hold a date as a day count and a time as the fraction of a day; readers that are
// handed dates and times as text turn them back into those numbers.
namespace tivora::excel {

// Which day a workbook counts from: day 1 is 1900-01-01 (and, as spreadsheets have always done,
// 1900 counts as a leap year), or day 0 is 1904-01-01.
enum class DateSystem { From1900, From1904 };

// The day number of an ISO date "YYYY-MM-DD", optionally followed by "T" or a blank and a time
// "HH:MM[:SS[.fff]]", or of a time alone "HH:MM[:SS[.fff]]"; nothing for other text.
std::optional<double> dateTimeSerial(QStringView text, DateSystem system);

// An ISO 8601 duration ("PT10H10M10.5S", "-P1DT2H") in days; nothing for other text.
std::optional<double> durationDays(QStringView text);

} // namespace tivora::excel
