#include "model/calendar/day_number.h"

#include <charconv>
#include <cstdio>

#include "common/error.h"

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

std::string DayNumberText(int32_t day_number) {
  const CivilDateTime c = CivilFromDayNumber(day_number);
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", c.year, c.month, c.day);
  return text;
}

int32_t ParseDayNumberText(std::string_view text, const std::string& what) {
  const auto digits = [&](size_t from, size_t count, int32_t& value) {
    const char* first = text.data() + from;
    const auto [stop, error] = std::from_chars(first, first + count, value);
    return error == std::errc() && stop == first + count && first[0] != '-' && first[0] != '+';
  };
  int32_t year = 0, month = 0, day = 0;
  const bool shaped = text.size() == 10 && text[4] == '-' && text[7] == '-' && digits(0, 4, year) &&
                      digits(5, 2, month) && digits(8, 2, day);
  const std::string quoted(text);
  if (!shaped) throw Error(kInvalidProcedureCall, what + " must be a date YYYY-MM-DD, not \"" + quoted + "\"");
  if (!IsRealDate(year, month, day)) throw Error(kInvalidProcedureCall, what + " " + quoted + " is not a real date");
  const auto day_number = CalendarDayOf(year, month, day);
  if (!day_number) {
    throw Error(kInvalidProcedureCall, what + " " + quoted + " is outside 2000-01-01..2039-12-31");
  }
  return *day_number;
}

int32_t WeekdayOfDayNumber(int32_t day_number) {
  // Day 0 (2000-01-01) was a Saturday, weekday 5.
  return ((day_number + 5) % 7 + 7) % 7;
}

}  // namespace quindo
