#pragma once
// The facts of the user's locale that the month view shows: the first day of
// the week and the least number of days of week 1 (they decide the week
// numbers) and the month names (the caption). Painting takes them as an input
// value instead of reading globals, so tests pin them and a view can show
// another locale than the process's.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include "common/export.h"

namespace quindo {

struct QUINDO_EXPORT CalendarLocale {
  int32_t first_weekday = 0;           // 0 = Monday .. 6 = Sunday
  int32_t min_days_in_first_week = 4;  // week 1 is the first week with this many days of the year
  std::array<std::string, 12> month_names;  // UTF-8, January first, as named on their own

  // ISO 8601 weeks (Monday, four days) and English month names: the facts of
  // the C locale, and of any locale whose week data is missing or malformed.
  static CalendarLocale Iso8601();
  // The LC_TIME category of the process as setlocale left it.
  static CalendarLocale FromProcess();
  // A locale by name ("de_DE.UTF-8"); nothing when the system lacks it.
  static std::optional<CalendarLocale> FromName(const std::string& name);
};

// The week of the year (1..53) of a date given as days since 30 December
// 1899. Weeks begin on the locale's first weekday; a week belongs to the year
// that holds at least min_days_in_first_week of its days, so early January
// can lie in the last week of the year before and late December in week 1.
QUINDO_EXPORT int32_t WeekOfYear(const CalendarLocale& locale, int64_t date_serial);

// "mmmm yyyy" of a date serial: the full month name and the year.
QUINDO_EXPORT std::string MonthCaption(const CalendarLocale& locale, int64_t date_serial);

}  // namespace quindo
