#include "answer_commands.h"

#include <cstdio>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>

#include "command_args.h"
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
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, length = 0;
  const bool shaped = text.size() == 16 && text[4] == '-' && text[7] == '-' && text[10] == ' ' &&
                      text[13] == ':' &&
                      std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d%n", &year, &month, &day, &hour, &minute,
                                  &length) == 5 &&
                      length == 16;
  for (size_t i : {0, 1, 2, 3, 5, 6, 8, 9, 11, 12, 14, 15}) {
    if (!shaped || text[i] < '0' || text[i] > '9') {
      throw UsageError("--at: expected \"YYYY-MM-DD HH:MM\", not \"" + text + "\"");
    }
  }
  const std::optional<int32_t> day_number = CalendarDayOf(year, month, day);
  if (!day_number) {
    throw UsageError("--at: " + text.substr(0, 10) + " is not a date of 2000-01-01..2039-12-31");
  }
  if (hour > 23 || minute > 59) throw UsageError("--at: " + text.substr(11) + " is not a time of 00:00..23:59");
  return {*day_number, hour * 60 + minute};
}

std::string FormatWallClock(ScheduleTime t) {
  const CivilDateTime c = CivilFromDayNumber(t.day_number);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", c.year, c.month, c.day, t.minute / 60,
                t.minute % 60);
  return text;
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
  int16_t id = 0;
  ScheduleTime at;
  CommandArgs read;
  try {
    read = ReadCommandArgs(args, {"--at", "--calendar", "--data-dir", "--language"}, 1, "profile active");
    const std::string& id_text = read.positional[0];
    if (id_text.empty() || id_text.size() > 4 || id_text.find_first_not_of("0123456789") != std::string::npos) {
      throw UsageError("ID must be a number in 0..9999, not \"" + id_text + "\"");
    }
    id = static_cast<int16_t>(std::stoi(id_text));
    if (read.Option("--at") == nullptr) throw UsageError("profile active: missing --at \"YYYY-MM-DD HH:MM\"");
    at = ParseWallClock(*read.Option("--at"));
    load_language(read.Option("--language") ? *read.Option("--language") : std::string());
  } catch (const UsageError& e) {
    return ReportUsage(e.what());
  } catch (const Error& e) {
    return ReportUsage("language file: " + e.Description());
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
  return kExitOk;
}

}  // namespace quindo::records
