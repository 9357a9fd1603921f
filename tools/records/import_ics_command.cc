// calendar import-ics: the all-day events of an iCalendar file (national
// holiday calendars are commonly published so) as a day type of a
// calendar file.

#include <string>

#include "arguments.h"
#include "calendar_files.h"
#include "command.h"
#include "common/error.h"
#include "ical/all_day_dates.h"
#include "messages.h"
#include "model/calendar/calendar.h"

namespace quindo::records {
namespace {

constexpr size_t kLargestIcsFile = size_t{64} << 20;

int ImportIcs(const Invocation& in) {
  const std::string* day_type_text = in.Value("--day-type");
  if (day_type_text == nullptr) throw UsageError("missing --day-type N");
  const auto day_type = static_cast<int16_t>(WholeNumberArgument(*day_type_text, 1, 23, "--day-type"));
  const std::string& source = in.operands[0];
  ical::AllDayDates dates;
  try {
    dates = ical::ReadAllDayDates(ReadInputDocument(source, kLargestIcsFile));
  } catch (const Error& e) {
    throw UsageError((source == "-" ? "standard input" : source) + ": " + e.Description());
  }
  // A file that could not be read is never saved over.
  const std::string& name = in.operands[1];
  const std::unique_ptr<cCalendar> calendar = LoadCalendarForChange(name);
  for (const int32_t day : dates.day_numbers) calendar->SetDayType(day, day_type);
  SaveCalendar(*calendar, name);
  std::string out = name + ": " + std::to_string(dates.day_numbers.size()) + " dates given day type " +
                    std::to_string(day_type) + " from " + std::to_string(dates.events) + " all-day events";
  if (dates.skipped_events > 0) out += "; " + std::to_string(dates.skipped_events) + " outside 2000..2039 skipped";
  if (dates.ignored_events > 0) {
    out += "; " + std::to_string(dates.ignored_events) + " events with a time of day or cancelled ignored";
  }
  Print(out + "\n");
  return kExitDone;
}

}  // namespace

std::vector<Command> ImportIcsCommands() {
  return {{"calendar import-ics", "HOLIDAYS.ics --day-type N FILE",
           R"(Gives every date of every all-day event of the iCalendar file HOLIDAYS.ics
("-": standard input), recurrences expanded, day type N (1..7 Monday..
Sunday, 8..23 special day types 1..16) in calendar FILE, created when
missing; every other day keeps its type. Events with no date in
2000..2039 are skipped, and events with a time of day ignored, each with a
count. FILE is refused as calendar set refuses it.
)",
           {"--day-type"}, 2, 2, ImportIcs}};
}

}  // namespace quindo::records
