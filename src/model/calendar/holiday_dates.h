#pragma once
// Date arithmetic of holiday rules, on the calendar's day numbers.

#include <cstdint>
#include <optional>

#include "model/calendar/day_number.h"

namespace quindo {

struct MonthDay {
  int32_t month = 0;  // 1..12
  int32_t day = 0;    // 1..31
};

// 28..31; 0 for a month outside 1..12.
int32_t DaysInMonth(int32_t year, int32_t month);

// Western Easter Sunday of a Gregorian year (1583 and later): the first
// Sunday after the ecclesiastical full moon on or after 21 March.
MonthDay EasterSunday(int32_t year);

// The day number of the n-th (1..5) or, for n = -1, the last given weekday
// (0 = Monday .. 6 = Sunday) of a month; none when the month has no n-th one.
std::optional<int32_t> NthWeekdayOfMonth(int32_t year, int32_t month, int32_t weekday, int32_t n);

}  // namespace quindo
