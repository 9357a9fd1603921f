#pragma once
// Day numbers of the calendar: days since 1 January 2000 (day 0) through
// 31 December 2039 (day 14,609). A date serial (days since 30 December 1899)
// gives the day number of its whole day minus 36,526.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/dates.h"
#include "common/export.h"

namespace quindo {

constexpr int32_t kCalendarDays = 14610;
constexpr int32_t kFirstCalendarYear = 2000;
constexpr int32_t kLastCalendarYear = 2039;
// The date serial of day 0.
constexpr int32_t kSerialOfDayZero = 36526;

// True for a real date of the Gregorian calendar (2023-02-29 is not).
QUINDO_EXPORT bool IsRealDate(int32_t year, int32_t month, int32_t day);

// The day number of a civil date, which may lie outside 0..14,609; the date
// must be real.
QUINDO_EXPORT int32_t DayNumberFromCivil(int32_t year, int32_t month, int32_t day);

// The day number of a real date inside 2000-01-01..2039-12-31, or none.
QUINDO_EXPORT std::optional<int32_t> CalendarDayOf(int32_t year, int32_t month, int32_t day);

// The civil date (time 00:00) of a day number.
QUINDO_EXPORT CivilDateTime CivilFromDayNumber(int32_t day_number);

// "YYYY-MM-DD" of a day number.
QUINDO_EXPORT std::string DayNumberText(int32_t day_number);

// The day number of "YYYY-MM-DD", a real date of 2000-01-01..2039-12-31.
// Anything else raises Error 5 whose description names `what`: "WHAT must be
// a date YYYY-MM-DD, not "TEXT"", "WHAT TEXT is not a real date" or "WHAT
// TEXT is outside 2000-01-01..2039-12-31".
QUINDO_EXPORT int32_t ParseDayNumberText(std::string_view text, const std::string& what);

// Monday = 0 .. Sunday = 6; day 0 was a Saturday.
QUINDO_EXPORT int32_t WeekdayOfDayNumber(int32_t day_number);

}  // namespace quindo
