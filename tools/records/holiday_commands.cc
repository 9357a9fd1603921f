#include "holiday_commands.h"

#include <cstdio>
#include <iostream>
#include <optional>

#include "calendar_commands.h"
#include "command_args.h"
#include "command_status.h"
#include "common/error.h"
#include "common/settings.h"
#include "holiday_rules_json.h"
#include "model/calendar/calendar.h"
#include "model/calendar/day_number.h"
#include "model/calendar/holiday_rules.h"
#include "profile_json.h"

namespace quindo::records {
namespace {

int32_t ParseYear(const std::string& text) {
  const bool digits = text.size() == 4 && text.find_first_not_of("0123456789") == std::string::npos;
  const int32_t year = digits ? std::stoi(text) : 0;
  if (year < kFirstCalendarYear || year > kLastCalendarYear) {
    throw CommandLineError("--year must be a year of 2000..2039, not \"" + text + "\"");
  }
  return year;
}

// A label on one line of tab-separated output.
std::string OneField(std::string text) {
  for (char& c : text) {
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  }
  return text;
}

}  // namespace

int ApplyHolidaysCommand(const std::vector<std::string>& args) {
  std::vector<HolidayRule> rules;
  const CommandArgs read = ReadCommandArgs(args, {}, 2, "calendar apply-holidays RULES FILE");
  try {
    rules = ReadHolidayRulesFile(read.positional[0]);
  } catch (const InputError& e) {
    std::cerr << "quindo-records: " << e.what() << '\n';
    return kExitBadUsage;
  }
  const std::string& name = read.positional[1];
  // The files that set refuses are refused here too, and a file that could
  // not be read is never saved over.
  const std::unique_ptr<cCalendar> calendar = LoadCalendarForChange(name);
  if (!calendar) return kExitFailed;
  try {
    ApplyHolidayRules(rules, *calendar);
    calendar->SaveToDisk(name);
    std::cout << name << ": " << HolidayLabels().Count() << " holiday dates applied\n";
  } catch (const Error& e) {
    std::cerr << "quindo-records: " << name << ": " << e.Description() << '\n';
    return kExitFailed;
  }
  return kExitDone;
}

int HolidaysCommand(const std::vector<std::string>& args) {
  std::vector<HolidayRule> rules;
  std::optional<int32_t> year;
  const CommandArgs read =
      ReadCommandArgs(args, {"--year"}, 1, "calendar holidays RULES [--year Y] [--read-only]", {"--read-only"});
  if (const std::string* text = read.Option("--year")) year = ParseYear(*text);
  try {
    rules = ReadHolidayRulesFile(read.positional[0]);
  } catch (const InputError& e) {
    std::cerr << "quindo-records: " << e.what() << '\n';
    return kExitBadUsage;
  }
  std::string out;
  for (const HolidayDate& date : ExpandHolidayRules(rules)) {
    if (year && CivilFromDayNumber(date.day_number).year != *year) continue;
    out += FormatCalendarDate(date.day_number) + '\t' + std::to_string(date.day_type) + '\t' +
           OneField(date.label) + '\n';
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  return kExitDone;
}

}  // namespace quindo::records
