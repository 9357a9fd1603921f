// Feeds arbitrary bytes to the holiday rules reader. Text it refuses raises
// JsonInputError only; rules it accepts expand without error to dates in day
// order, each inside the calendar with a day type of 1..23, and applying
// them sets exactly those days of a calendar.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/settings.h"
#include "json/holiday_rules_json.h"
#include "model/calendar/calendar.h"
#include "model/calendar/holiday_rules.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quindo;
  std::vector<HolidayRule> rules;
  try {
    rules = HolidayRulesFromJsonText(std::string(reinterpret_cast<const char*>(data), size));
  } catch (const JsonInputError&) {
    return 0;
  }
  const std::vector<HolidayDate> dates = ExpandHolidayRules(rules);
  int32_t previous = -1;
  for (const HolidayDate& date : dates) {
    Check(date.day_number > previous && date.day_number < kCalendarDays);
    Check(date.day_type >= 1 && date.day_type <= 23);
    Check(date.rule < rules.size() && rules[date.rule].label == date.label);
    previous = date.day_number;
  }
  // Applying sets those days, and a day after one that no rule gives stays 0.
  cCalendar calendar;
  ApplyHolidayRules(rules, calendar);
  Check(HolidayLabels().Count() == dates.size());
  for (size_t i = 0; i < dates.size(); ++i) {
    const int32_t day = dates[i].day_number;
    Check(calendar.GetDayType(day) == dates[i].day_type && HolidayDays()[day] != 0);
    const bool next_is_free = i + 1 == dates.size() || dates[i + 1].day_number > day + 1;
    if (day + 1 < kCalendarDays && next_is_free) {
      Check(calendar.GetDayType(day + 1) == 0 && HolidayDays()[day + 1] == 0);
    }
  }
  return 0;
}
