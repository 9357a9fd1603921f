#include "common/dates.h"

#include <cmath>
#include <cstdio>
#include <ctime>
#include <sys/time.h>

#include "common/error.h"

namespace quindo {
namespace {

// Day 0 of the date scale, 1899-12-30, counted from 1970-01-01.
constexpr int64_t kEpochShift = -25569;
// 100-01-01 and 9999-12-31, the first and last day the platform can hold.
constexpr double kFirstDate = -657434;
constexpr double kLastDate = 2958465;

int64_t DaysFromUnixEpoch(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromUnixDays(int64_t z, int32_t* year, int32_t* month, int32_t* day) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  const int64_t d = doy - (153 * mp + 2) / 5 + 1;
  const int64_t m = mp + (mp < 10 ? 3 : -9);
  *year = static_cast<int32_t>(yoe + era * 400 + (m <= 2));
  *month = static_cast<int32_t>(m);
  *day = static_cast<int32_t>(d);
}

}  // namespace

int64_t DaysFromCivil(int32_t year, int32_t month, int32_t day) {
  return DaysFromUnixEpoch(year, month, day) - kEpochShift;
}

double DateFromCivil(const CivilDateTime& c) {
  const double days = static_cast<double>(DaysFromCivil(c.year, c.month, c.day));
  const double time = (c.hour * 3600.0 + c.minute * 60.0 + c.second) / 86400.0;
  // Before day 0 the time of day is added away from zero, as the platform does.
  return days < 0 ? days - time : days + time;
}

CivilDateTime CivilFromDate(double date) {
  if (!std::isfinite(date)) date = 0;
  // Outside years 100..9999 the platform has no date; far beyond it the day
  // count would not even fit an integer.
  if (date <= kFirstDate - 1 || date >= kLastDate + 1) throw Error(kOverflow);
  int64_t days = static_cast<int64_t>(std::trunc(date));
  int64_t seconds = std::llround(std::fabs(date - std::trunc(date)) * 86400.0);
  if (seconds >= 86400) {
    seconds -= 86400;
    days += date < 0 ? -1 : 1;
  }
  CivilDateTime c;
  CivilFromUnixDays(days + kEpochShift, &c.year, &c.month, &c.day);
  c.hour = static_cast<int32_t>(seconds / 3600);
  c.minute = static_cast<int32_t>(seconds / 60 % 60);
  c.second = static_cast<int32_t>(seconds % 60);
  return c;
}

double Now() {
  timeval tv{};
  gettimeofday(&tv, nullptr);
  std::tm local{};
  const time_t t = tv.tv_sec;
  localtime_r(&t, &local);
  CivilDateTime c{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                  local.tm_hour, local.tm_min, local.tm_sec};
  return DateFromCivil(c);
}

std::string FormatTimestamp(double date) {
  const CivilDateTime c = CivilFromDate(date);
  char text[48];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", c.year, c.month, c.day,
                c.hour, c.minute, c.second);
  return text;
}

}  // namespace quindo
