#include "model/calendar/holiday_dates.h"

namespace quindo {
namespace {

bool IsLeapYear(int32_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

}  // namespace

int32_t DaysInMonth(int32_t year, int32_t month) {
  static constexpr int32_t kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

MonthDay EasterSunday(int32_t year) {
  // Gauss's method in Lichtenberg's closed form: the full moon as a day of
  // March (og), then the distance to the next Sunday (oe).
  const int32_t k = year / 100;
  const int32_t m = 15 + (3 * k + 3) / 4 - (8 * k + 13) / 25;  // secular moon shift
  const int32_t s = 2 - (3 * k + 3) / 4;                       // secular sun shift
  const int32_t a = year % 19;                                 // place in the lunar cycle
  const int32_t d = (19 * a + m) % 30;                         // seed of the first full moon
  const int32_t r = (d + a / 11) / 29;                         // calendar correction
  const int32_t og = 21 + d - r;                               // paschal full moon, day of March
  const int32_t sz = 7 - (year + year / 4 + s) % 7;            // first Sunday in March
  const int32_t oe = 7 - (og - sz) % 7;                        // days to the next Sunday
  const int32_t os = og + oe;                                  // Easter, day of March
  return os <= 31 ? MonthDay{3, os} : MonthDay{4, os - 31};
}

std::optional<int32_t> NthWeekdayOfMonth(int32_t year, int32_t month, int32_t weekday, int32_t n) {
  const int32_t days = DaysInMonth(year, month);
  if (days == 0 || weekday < 0 || weekday > 6 || n == 0 || n < -1 || n > 5) return std::nullopt;
  if (n == -1) {
    const int32_t last = DayNumberFromCivil(year, month, days);
    return last - (WeekdayOfDayNumber(last) - weekday + 7) % 7;
  }
  const int32_t first = DayNumberFromCivil(year, month, 1);
  const int32_t day_of_month = 1 + (weekday - WeekdayOfDayNumber(first) + 7) % 7 + 7 * (n - 1);
  if (day_of_month > days) return std::nullopt;
  return first + day_of_month - 1;
}

}  // namespace quindo
