#pragma once
// Holiday rules: a fixed date, the n-th weekday of a month, or a distance
// from Easter Sunday, each giving its dates a calendar day type and a label.
// Expanding them for 2000..2039 fills the calendar's day types and the
// process-wide HolidayDays and HolidayLabels.

#include <cstdint>
#include <string>
#include <vector>
#include "common/export.h"

namespace quindo {

class cCalendar;

struct QUINDO_EXPORT HolidayRule {
  enum class Kind { kFixed, kNthWeekday, kEaster };

  Kind kind = Kind::kFixed;
  std::string label;
  int32_t day_type = 0;  // calendar day type: 1..7 Monday..Sunday, 8..23 special
  bool view_in_calendar = false;
  int32_t month = 0;    // fixed and nth-weekday: 1..12
  int32_t day = 0;      // fixed: 1..31, a day the month has (29 February in leap years only)
  int32_t weekday = 0;  // nth-weekday: 1 = Monday .. 7 = Sunday
  int32_t n = 0;        // nth-weekday: 1..5, or -1 for the last
  int32_t offset = 0;   // easter: days after Easter Sunday, negative before
  // The years the rule applies in (for Easter rules, the year of the Easter
  // Sunday counted from); unlimited by default.
  int32_t from_year = 1583;  // the first whole Gregorian year
  int32_t to_year = 9999;
};

// Limits of the rule values.
constexpr int32_t kFirstHolidayDayType = 1;
constexpr int32_t kLastHolidayDayType = 23;
constexpr int32_t kMaxEasterOffset = 365;
constexpr int32_t kFirstRuleYear = 1583;
constexpr int32_t kLastRuleYear = 9999;

// One expanded date: the rule that won it (its index) and what it gives.
struct QUINDO_EXPORT HolidayDate {
  int32_t day_number = 0;
  int16_t day_type = 0;
  bool view_in_calendar = false;
  std::string label;
  size_t rule = 0;
};

// Raises Error 5 naming the first rule (counted from 1) and value that is
// out of range or names a date no year has, such as 30 February.
QUINDO_EXPORT void CheckHolidayRules(const std::vector<HolidayRule>& rules);

// Checks the rules, then lists their dates in 2000..2039 in day order, one
// per date: where rules share a date, the later rule wins. An n-th weekday
// that a month does not have gives no date that year.
QUINDO_EXPORT std::vector<HolidayDate> ExpandHolidayRules(const std::vector<HolidayRule>& rules);

// Checks and expands the rules, then sets the day type of every expanded
// date in the calendar (other days keep theirs) and replaces HolidayDays and
// HolidayLabels with the expanded dates. Bad rules change nothing.
QUINDO_EXPORT void ApplyHolidayRules(const std::vector<HolidayRule>& rules, cCalendar& calendar);

// Checks and expands the rules and replaces HolidayDays and HolidayLabels
// with the expanded dates, leaving every calendar's day types alone: a
// calendar file keeps the day types the rules gave it but not their labels,
// so a view of it loads the labels again this way. Bad rules change nothing.
QUINDO_EXPORT void LoadHolidayLabels(const std::vector<HolidayRule>& rules);

}  // namespace quindo
