// Feeds arbitrary bytes to the holiday importer's iCalendar reader. Text
// without iCalendar data raises error 5 only; whatever it reads gives dates
// inside the calendar in ascending order, each once, and counts that add up.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "common/error.h"
#include "ical/all_day_dates.h"
#include "model/calendar/day_number.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quindo;
  ical::AllDayDates read;
  try {
    read = ical::ReadAllDayDates(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const Error& e) {
    if (e.Number() != kInvalidProcedureCall) std::abort();
    return 0;
  }
  int32_t previous = -1;
  for (int32_t day : read.day_numbers) {
    if (day <= previous || day >= kCalendarDays) std::abort();
    previous = day;
  }
  if (read.events < 0 || read.ignored_events < 0 || read.skipped_events < 0 || read.skipped_events > read.events) {
    std::abort();
  }
  if (read.events == 0 && !read.day_numbers.empty()) std::abort();
  return 0;
}
