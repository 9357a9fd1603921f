#include "model/calendar/day_number.h"

namespace quindo {

bool IsRealDate(int32_t year, int32_t month, int32_t day) {
  if (month < 1 || month > 12 || day < 1) return false;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  constexpr int32_t kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return day <= kMonthDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

int32_t DayNumberFromCivil(int32_t year, int32_t month, int32_t day) {
  return static_cast<int32_t>(DaysFromCivil(year, month, day) - kSerialOfDayZero);
}

std::optional<int32_t> CalendarDayOf(int32_t year, int32_t month, int32_t day) {
  if (year < kFirstCalendarYear || year > kLastCalendarYear || !IsRealDate(year, month, day)) {
    return std::nullopt;
  }
  return DayNumberFromCivil(year, month, day);
}

CivilDateTime CivilFromDayNumber(int32_t day_number) {
  return CivilFromDate(static_cast<double>(day_number) + kSerialOfDayZero);
}

int32_t WeekdayOfDayNumber(int32_t day_number) {
  // Day 0 (2000-01-01) was a Saturday, weekday 5.
  return ((day_number + 5) % 7 + 7) % 7;
}

}  // namespace quindo
