#include "answer_commands.h"

#include <cstdio>
#include <cstdint>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>

#include "calendar_commands.h"
#include "command_args.h"
#include "command_status.h"
#include "common/error.h"
#include "common/language.h"
#include "common/settings.h"
#include "model/calendar/calendar.h"
#include "model/calendar/day_number.h"
#include "model/profile/profile.h"
#include "model/schedule/schedule_answers.h"
#include "model/schedule/time_schedule.h"

namespace quindo::records {
namespace {

using nlohmann::ordered_json;

// "YYYY-MM-DD HH:MM", a real date of 2000..2039 and a time 00:00..23:59.
ScheduleTime ParseWallClock(const std::string& text) {
  const auto digit = [&text](size_t i) { return text[i] >= '0' && text[i] <= '9'; };
  if (text.size() != 16 || text[10] != ' ' || text[13] != ':' || !digit(11) || !digit(12) || !digit(14) ||
      !digit(15)) {
    throw CommandLineError("--at must be a local time \"YYYY-MM-DD HH:MM\", not \"" + text + "\"");
  }
  const int32_t day_number = ParseCalendarDate(text.substr(0, 10), "--at");
  const int32_t hour = (text[11] - '0') * 10 + (text[12] - '0');
  const int32_t minute = (text[14] - '0') * 10 + (text[15] - '0');
  if (hour > 23 || minute > 59) {
    throw CommandLineError("--at " + text.substr(11) + " is not a time of 00:00..23:59");
  }
  return {day_number, hour * 60 + minute};
}

std::string FormatWallClock(ScheduleTime t) {
  char time[32];
  std::snprintf(time, sizeof time, " %02d:%02d", t.minute / 60, t.minute % 60);
  return FormatCalendarDate(t.day_number) + time;
}

ordered_json AnswerToJson(const cProfile& profile, const cTimeSchedule& schedule, const cCalendar* calendar,
                          ScheduleTime at) {
  const ScheduleAnswer answer = AnswerAt(schedule, calendar, at);
  if (profile.m_UseTimeSchedule == 0) {
    return {{"Active", true}, {"CalendarDayType", answer.calendar_day_type}, {"DayType", nullptr},
            {"DecidedBy", "no schedule"}, {"Period", nullptr}, {"NextChange", nullptr}};
  }
  const std::optional<ScheduleTime> next = NextChangeAfter(schedule, calendar, at);
  ordered_json period = nullptr;
  if (answer.period) period = {answer.period->m_StartMinute, answer.period->m_StopMinute};
  return {{"Active", answer.active},
          {"CalendarDayType", answer.calendar_day_type},
          {"DayType", answer.day_type},
          {"DecidedBy", answer.decided_by == DecidedBy::kCalendar ? "calendar" : "weekday"},
          {"Period", std::move(period)},
          {"NextChange", next ? ordered_json(FormatWallClock(*next)) : ordered_json(nullptr)}};
}

}  // namespace

int ProfileActiveCommand(const std::vector<std::string>& args, LanguageLoader load_language) {
  const CommandArgs read = ReadCommandArgs(args, {"--at", "--calendar", "--data-dir", "--language"}, 1,
                                           "profile active ID --at \"YYYY-MM-DD HH:MM\" [--calendar FILE]",
                                           {"--read-only"});
  if (read.Switch("--read-only")) RewriteOldVersionsOnLoad() = false;
  const std::string& id_text = read.positional[0];
  if (id_text.empty() || id_text.size() > 4 || id_text.find_first_not_of("0123456789") != std::string::npos) {
    throw CommandLineError("ID must be a number in 0..9999, not \"" + id_text + "\"");
  }
  const auto id = static_cast<int16_t>(std::stoi(id_text));
  if (read.Option("--at") == nullptr) throw CommandLineError("profile active: missing --at \"YYYY-MM-DD HH:MM\"");
  const ScheduleTime at = ParseWallClock(*read.Option("--at"));
  try {
    load_language(read.Option("--language") ? *read.Option("--language") : std::string());
  } catch (const Error& e) {
    throw CommandLineError("language file: " + e.Description());
  }

  if (const std::string* dir = read.Option("--data-dir"); dir != nullptr && !dir->empty()) {
    DataDirectory() = dir->ends_with('/') ? *dir : *dir + "/";
  }
  SetReportErrorHandler([](const std::string& message) { std::cerr << message << '\n'; });

  std::unique_ptr<cCalendar> calendar;
  if (const std::string* name = read.Option("--calendar")) {
    calendar = std::make_unique<cCalendar>();
    try {
      if (calendar->ReadFromDisk(*name) == 0) {
        std::cerr << "quindo-records: " << *name << ": no such calendar file\n";
        return kExitFailed;
      }
    } catch (const Error& e) {
      std::cerr << "quindo-records: " << *name << ": " << e.Description() << '\n';
      return kExitFailed;
    }
  }
  cProfile profile;
  if (!profile.LoadFromDisk(id)) {
    std::cerr << profile.CreateFileName(id) << ": not loaded\n";
    return kExitFailed;
  }
  // A profile always carries a schedule; an empty one stands in should it not.
  const cTimeSchedule schedule_if_none;
  const cTimeSchedule& schedule = profile.m_TimeSchedule ? *profile.m_TimeSchedule : schedule_if_none;
  std::cout << AnswerToJson(profile, schedule, calendar.get(), at).dump() << '\n';
  return kExitDone;
}

}  // namespace quindo::records
