// profile active: whether a profile's schedule is active at a local date and
// time, what decided it, and when that next changes.

#include <cstdio>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>

#include "arguments.h"
#include "calendar_files.h"
#include "command.h"
#include "common/dates.h"
#include "messages.h"
#include "model/agenda/agenda.h"
#include "model/calendar/calendar.h"
#include "model/calendar/day_number.h"
#include "model/profile/profile.h"
#include "model/profile/profile_naming.h"
#include "model/schedule/schedule_answers.h"
#include "model/schedule/time_schedule.h"
#include "stored_records.h"

namespace quindo::records {
namespace {

using nlohmann::ordered_json;

// "Enabled": false follows "Active" for a disabled profile: the server
// forwards nothing for it, whatever its schedule says.
ordered_json AnswerToJson(const cProfile& profile, const cTimeSchedule& schedule, const cCalendar* calendar,
                          ScheduleTime at) {
  const ScheduleAnswer answer = AnswerAt(schedule, calendar, at);
  ordered_json out;
  out["Active"] = profile.m_UseTimeSchedule == 0 || answer.active;
  if (profile.m_Enabled == 0) out["Enabled"] = false;
  out["CalendarDayType"] = answer.calendar_day_type;
  if (profile.m_UseTimeSchedule == 0) {
    out["DayType"] = nullptr;
    out["DecidedBy"] = "no schedule";
    out["Period"] = nullptr;
    out["NextChange"] = nullptr;
    return out;
  }
  const std::optional<ScheduleTime> next = NextChangeAfter(schedule, calendar, at);
  out["DayType"] = answer.day_type;
  out["DecidedBy"] = answer.decided_by == DecidedBy::kCalendar ? "calendar" : "weekday";
  out["Period"] = answer.period ? ordered_json{answer.period->m_StartMinute, answer.period->m_StopMinute} : nullptr;
  out["NextChange"] = next ? ordered_json(FormatScheduleTime(*next)) : ordered_json(nullptr);
  return out;
}

int ProfileActive(const Invocation& in) {
  const int16_t identity = IdentityArgument(in.operands[0]);
  if (in.Value("--at") == nullptr) throw UsageError("missing --at \"YYYY-MM-DD HH:MM\"");
  const ScheduleTime at = WallClockArgument(*in.Value("--at"), "--at");
  std::unique_ptr<cCalendar> calendar;
  if (const std::string* name = in.Value("--calendar")) calendar = LoadCalendar(*name, kExitFailed);
  cProfile profile;
  LoadStoredRecord("profile", ProfilesDirectory(), profile, identity);
  // A profile always carries a schedule; an empty one stands in should it not.
  const cTimeSchedule schedule_if_none;
  const cTimeSchedule& schedule = profile.m_TimeSchedule ? *profile.m_TimeSchedule : schedule_if_none;
  if (!calendar && profile.m_UseTimeSchedule != 0 && schedule.m_UseCalendar != 0) {
    SayLine("profile " + std::to_string(identity) +
            " uses the calendar, and no --calendar was given: the weekday decides every date");
  }
  Print(AnswerToJson(profile, schedule, calendar.get(), at).dump() + "\n");
  return kExitDone;
}

}  // namespace

std::vector<Command> ProfileActiveCommands() {
  return {{"profile active", "ID --at \"YYYY-MM-DD HH:MM\"|now [--calendar FILE] [--read-only]",
           R"(Whether profile ID's time schedule is active at that local time (a date
of 2000..2039; now: the current minute), on one line of JSON:
{"Active": true|false, "CalendarDayType": t, "DayType": s, "DecidedBy":
"calendar"|"weekday", "Period": [start, stop] or null, "NextChange":
"YYYY-MM-DD HH:MM" or null}. t is the calendar FILE's day type of the date
(0 without one or when the schedule does not use the calendar); s is t - 1
when that day type is active in the schedule, else the date's weekday
(Monday = 0). A profile that does not use its schedule is active,
"DecidedBy": "no schedule". A disabled profile has "Enabled": false after
"Active": the server forwards nothing for it, whatever its schedule says.
A profile that uses the calendar, asked without --calendar, is answered
from the weekday, with a warning on standard error. Minutes are wall-clock
minutes: a daylight-saving day is answered like any other.
)",
           {"--at", "--calendar", "--read-only"}, 1, 1, ProfileActive}};
}

}  // namespace quindo::records
