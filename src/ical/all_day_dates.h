#pragma once
// The dates of an iCalendar file's all-day events, as national holiday
// calendars are commonly published: every date each event covers, its
// recurrences expanded by libical (RRULE, RDATE, EXDATE, and instances that
// a RECURRENCE-ID moves or a cancelled instance drops).

#include <cstdint>
#include <string_view>
#include <vector>

namespace quindo::ical {

struct AllDayDates {
  std::vector<int32_t> day_numbers;  // within 2000..2039, ascending, each once
  int32_t events = 0;                // all-day events read
  int32_t skipped_events = 0;        // of those, the ones with no date in 2000..2039
  int32_t ignored_events = 0;        // events with a time of day, without a start, or cancelled
};

// Raises error 5 when the text holds no iCalendar data. Recurrence rules
// are expanded to the end of 2039, at most 100,000 instances each.
AllDayDates ReadAllDayDates(std::string_view ics_text);

}  // namespace quindo::ical
