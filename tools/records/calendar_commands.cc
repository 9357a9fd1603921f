#include "calendar_commands.h"

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <utility>

#include "command_args.h"
#include "command_status.h"
#include "common/error.h"
#include "common/file_system.h"
#include "holiday_commands.h"
#include "model/calendar/calendar.h"

namespace quindo::records {
namespace {

using Subcommand = int (*)(const std::vector<std::string>&);

// One entry per subcommand; other files add theirs here.
const std::map<std::string, Subcommand>& Subcommands() {
  static const std::map<std::string, Subcommand> table = {
      {"apply-holidays", ApplyHolidaysCommand},
      {"diff", CalendarDiff},
      {"holidays", HolidaysCommand},
      {"set", CalendarSet},
      {"show", CalendarShow},
  };
  return table;
}

// The files of a command that only reads ("--read-only" is accepted for the
// sake of scripts that pass it to every reading command; calendars are
// never converted).
std::vector<std::string> ReadOnlyFiles(const std::vector<std::string>& args, size_t count, const char* usage) {
  return ReadCommandArgs(args, {}, count, std::string("calendar ") + usage, {"--read-only"}).positional;
}

int16_t ParseDayType(const std::string& text) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || stop != end || error != std::errc() || value < -32768 || value > 32767) {
    throw CommandLineError("TYPE must be a whole number in -32768..32767, not \"" + text + "\"");
  }
  return static_cast<int16_t>(value);
}

// Loads a calendar file. A missing or unreadable file is reported on
// standard error and gives no calendar.
std::unique_ptr<cCalendar> Load(const std::string& name) {
  auto calendar = std::make_unique<cCalendar>();
  try {
    if (calendar->ReadFromDisk(name) != 0) return calendar;
    std::cerr << "quindo-records: " << name << ": no such calendar file\n";
  } catch (const Error& e) {
    std::cerr << "quindo-records: " << name << ": " << e.Description() << '\n';
  }
  return nullptr;
}

}  // namespace

int32_t ParseCalendarDate(const std::string& text, const std::string& what) {
  const auto digits = [&](size_t from, size_t count, int32_t& value) {
    const char* first = text.data() + from;
    const auto [stop, error] = std::from_chars(first, first + count, value);
    return error == std::errc() && stop == first + count && first[0] != '-' && first[0] != '+';
  };
  int32_t year = 0, month = 0, day = 0;
  const bool shaped = text.size() == 10 && text[4] == '-' && text[7] == '-' && digits(0, 4, year) &&
                      digits(5, 2, month) && digits(8, 2, day);
  if (!shaped) throw CommandLineError(what + " must be a date YYYY-MM-DD, not \"" + text + "\"");
  if (!IsRealDate(year, month, day)) throw CommandLineError(what + " " + text + " is not a real date");
  const auto day_number = CalendarDayOf(year, month, day);
  if (!day_number) throw CommandLineError(what + " " + text + " is outside 2000-01-01..2039-12-31");
  return *day_number;
}

std::string FormatCalendarDate(int32_t day_number) {
  const CivilDateTime c = CivilFromDayNumber(day_number);
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", c.year, c.month, c.day);
  return text;
}

int RunCalendarCommand(const std::vector<std::string>& args) {
  if (args.empty()) throw CommandLineError("missing calendar command");
  const auto found = Subcommands().find(args[0]);
  if (found == Subcommands().end()) throw CommandLineError("unknown calendar command \"" + args[0] + "\"");
  return found->second(std::vector<std::string>(args.begin() + 1, args.end()));
}

int CalendarShow(const std::vector<std::string>& args) {
  const auto calendar = Load(ReadOnlyFiles(args, 1, "show FILE [--read-only]")[0]);
  if (!calendar) return kExitFailed;
  std::string out;
  for (int32_t day = 0; day < cCalendar::kDays; ++day) {
    const int16_t type = calendar->GetDayType(day);
    if (type != 0) out += FormatCalendarDate(day) + '\t' + std::to_string(type) + '\n';
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  return kExitDone;
}

int CalendarSet(const std::vector<std::string>& args) {
  if (args.size() < 3 || args.size() % 2 == 0) {
    throw CommandLineError("usage: quindo-records calendar set FILE DATE TYPE [DATE TYPE]...");
  }
  // Every pair is checked before the file is read or written.
  std::vector<std::pair<int32_t, int16_t>> changes;
  for (size_t i = 1; i < args.size(); i += 2) {
    changes.emplace_back(ParseCalendarDate(args[i], "DATE"), ParseDayType(args[i + 1]));
  }
  const std::string& name = args[0];
  const std::unique_ptr<cCalendar> calendar = LoadCalendarForChange(name);
  if (!calendar) return kExitFailed;
  for (const auto& [day, type] : changes) calendar->SetDayType(day, type);
  try {
    calendar->SaveToDisk(name);
  } catch (const Error& e) {
    std::cerr << "quindo-records: " << name << ": " << e.Description() << '\n';
    return kExitFailed;
  }
  return kExitDone;
}

std::unique_ptr<cCalendar> LoadCalendarForChange(const std::string& name) {
  if (FileExists(name)) return Load(name);
  std::error_code error;
  if (std::filesystem::exists(std::filesystem::symlink_status(name, error))) {
    std::cerr << "quindo-records: " << name << ": not an ordinary visible file; not changed\n";
    return nullptr;
  }
  return std::make_unique<cCalendar>();
}

int CalendarDiff(const std::vector<std::string>& args) {
  const std::vector<std::string> files = ReadOnlyFiles(args, 2, "diff FILE1 FILE2 [--read-only]");
  const auto first = Load(files[0]);
  const auto second = first ? Load(files[1]) : nullptr;
  // Trouble is told apart from a difference, as cmp does.
  if (!first || !second) return kExitBadUsage;
  if (first->CompareToOtherCalendar(*second) != 0) return kExitDone;
  for (int32_t day = 0; day < cCalendar::kDays; ++day) {
    const int16_t a = first->GetDayType(day);
    const int16_t b = second->GetDayType(day);
    if (a != b) {
      std::cout << FormatCalendarDate(day) << '\t' << a << '\t' << b << '\n';
      break;
    }
  }
  return kExitFailed;
}

}  // namespace quindo::records
