#pragma once
// A calendar's days as JSON, and the days where two calendars differ.
//
// Day list: [{"Date": "YYYY-MM-DD", "DayType": t}, ...], one entry per day
// whose type is not 0, in date order (what `calendar show` lists).
// Differences: [{"Date": "YYYY-MM-DD", "DayTypes": [t1, t2]}, ...].

#include <cstdint>
#include <nlohmann/json.hpp>
#include <vector>

#include "common/export.h"
#include "json/json_fields.h"  // JsonInputError
#include "model/calendar/calendar.h"

namespace quindo {

QUINDO_EXPORT nlohmann::ordered_json CalendarDaysToJson(const cCalendar& calendar);

struct QUINDO_EXPORT CalendarDay {
  int32_t day_number = 0;
  int16_t day_type = 0;
};

// The days a day list names, in its order (a calendar takes them with
// SetDayType; other days keep theirs). A date that is no real date of
// 2000-01-01..2039-12-31, a day type outside -32768..32767 or an unknown or
// missing field raises JsonInputError naming the entry.
QUINDO_EXPORT std::vector<CalendarDay> CalendarDaysFromJson(const nlohmann::json& days);

// The days where `first` and `second` differ, in date order: every one, or
// only the first when `all` is false.
QUINDO_EXPORT std::vector<int32_t> CalendarDifferences(const cCalendar& first, const cCalendar& second, bool all);
QUINDO_EXPORT nlohmann::ordered_json CalendarDifferencesToJson(const cCalendar& first, const cCalendar& second,
                                                               const std::vector<int32_t>& days);

}  // namespace quindo
