// calendar holidays and calendar apply-holidays: holiday rules listed by
// date, or applied to a calendar file.

#include <optional>
#include <string>
#include <vector>

#include "arguments.h"
#include "calendar_files.h"
#include "command.h"
#include "json/holiday_rules_json.h"
#include "messages.h"
#include "model/calendar/calendar.h"
#include "model/calendar/day_number.h"
#include "model/calendar/holiday_rules.h"
#include "common/settings.h"

namespace quindo::records {
namespace {

std::optional<int32_t> Year(const Invocation& in) {
  if (const std::string* text = in.Value("--year")) return YearArgument(*text, "--year");
  return std::nullopt;
}

// The dates the rules give, in year `year` only when there is one.
std::vector<HolidayDate> DatesOf(const std::vector<HolidayRule>& rules, std::optional<int32_t> year) {
  std::vector<HolidayDate> dates;
  for (HolidayDate& date : ExpandHolidayRules(rules)) {
    if (!year || CivilFromDayNumber(date.day_number).year == *year) dates.push_back(std::move(date));
  }
  return dates;
}

// A label on one line of tab-separated output.
std::string OneField(std::string text) {
  for (char& c : text) {
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  }
  return text;
}

int ApplyHolidays(const Invocation& in) {
  const std::optional<int32_t> year = Year(in);
  const std::vector<HolidayRule> rules = ReadHolidayRulesFile(in.operands[0]);
  const std::string& name = in.operands[1];
  // The files that set refuses are refused here too, and a file that could
  // not be read is never saved over.
  const std::unique_ptr<cCalendar> calendar = LoadCalendarForChange(name);
  size_t applied = 0;
  if (year) {
    const std::vector<HolidayDate> dates = DatesOf(rules, year);
    for (const HolidayDate& date : dates) calendar->SetDayType(date.day_number, date.day_type);
    applied = dates.size();
  } else {
    ApplyHolidayRules(rules, *calendar);
    applied = HolidayLabels().Count();
  }
  SaveCalendar(*calendar, name);
  Print(name + ": " + std::to_string(applied) + " holiday dates applied\n");
  return kExitDone;
}

int Holidays(const Invocation& in) {
  const std::optional<int32_t> year = Year(in);
  std::string out;
  for (const HolidayDate& date : DatesOf(ReadHolidayRulesFile(in.operands[0]), year)) {
    out += DayNumberText(date.day_number) + '\t' + std::to_string(date.day_type) + '\t' + OneField(date.label) + '\n';
  }
  Print(out);
  return kExitDone;
}

}  // namespace

std::vector<Command> HolidayCommands() {
  return {
      {"calendar apply-holidays", "RULES FILE [--year Y]",
       R"(Gives every date that the holiday rules file RULES yields in 2000..2039
(in year Y only, with --year) the rule's day type in calendar FILE (created
when missing); other days keep theirs. Prints FILE: N holiday dates
applied. FILE is refused as calendar set refuses it.
)",
       {"--year"}, 2, 2, ApplyHolidays},
      {"calendar holidays", "RULES [--year Y] [--read-only]",
       R"(Prints the dates the rules yield, in year Y only when given:
YYYY-MM-DD <TAB> day type <TAB> label.
)",
       {"--year", "--read-only"}, 1, 1, Holidays},
  };
}

}  // namespace quindo::records
