#include "model/agenda/agenda.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "common/error.h"
#include "common/settings.h"
#include "model/calendar/day_number.h"
#include "model/profile/profile.h"
#include "model/schedule/time_schedule.h"

namespace quindo {
namespace {

// A profile always carries a schedule; an empty one stands in should it not.
const cTimeSchedule& ScheduleOf(const cProfile& profile) {
  static const cTimeSchedule kNoSchedule;
  return profile.m_TimeSchedule ? *profile.m_TimeSchedule : kNoSchedule;
}

// Why the schedule does not decide, if it does not.
std::optional<ProfileDecider> FixedDecider(const cProfile& profile) {
  if (profile.m_Enabled == 0) return ProfileDecider::kDisabled;
  if (profile.m_UseTimeSchedule == 0) return ProfileDecider::kNoSchedule;
  return std::nullopt;
}

ScheduleTime MinuteBefore(ScheduleTime t) { return TimeOfMinutes(MinutesOf(t) - 1); }

void CheckWindow(ScheduleTime from, ScheduleTime to) {
  const bool from_inside = from.day_number >= 0 && from.day_number < kCalendarDays && from.minute >= 0 &&
                           from.minute < 1440;
  if (!from_inside || to <= from || to > kEndOfCalendar || to.minute < 0 || to.minute >= 1440) {
    throw Error(kInvalidProcedureCall, "The window " + FormatScheduleTime(from) + " to " + FormatScheduleTime(to) +
                                           " is not a range of 2000-01-01 00:00 to 2040-01-01 00:00");
  }
}

// Calls change(time, active) for every change of the schedule's state in
// [from, to), in time order.
template <typename Change>
void ForEachChange(const cTimeSchedule& schedule, const cCalendar* calendar, ScheduleTime from, ScheduleTime to,
                   Change change) {
  bool active = IsActiveAt(schedule, calendar, from);
  if (MinutesOf(from) > 0 && IsActiveAt(schedule, calendar, MinuteBefore(from)) != active) change(from, active);
  for (auto next = NextChangeBefore(schedule, calendar, from, to); next;
       next = NextChangeBefore(schedule, calendar, *next, to)) {
    active = !active;
    change(*next, active);
  }
}

}  // namespace

std::string_view DeciderName(ProfileDecider decider) {
  switch (decider) {
    case ProfileDecider::kWeekday: return "weekday";
    case ProfileDecider::kCalendar: return "calendar";
    case ProfileDecider::kNoSchedule: return "no schedule";
    case ProfileDecider::kDisabled: return "disabled";
  }
  return "weekday";
}

ProfileState ProfileStateAt(const cProfile& profile, const cCalendar* calendar, ScheduleTime at) {
  const ScheduleAnswer answer = AnswerAt(ScheduleOf(profile), calendar, at);
  ProfileState state;
  state.calendar_day_type = answer.calendar_day_type;
  if (const auto fixed = FixedDecider(profile)) {
    state.decided_by = *fixed;
    state.active = *fixed == ProfileDecider::kNoSchedule;
    return state;
  }
  state.active = answer.active;
  state.day_type = answer.day_type;
  state.decided_by = answer.decided_by == DecidedBy::kCalendar ? ProfileDecider::kCalendar : ProfileDecider::kWeekday;
  state.period = answer.period;
  return state;
}

std::optional<ScheduleTime> ProfileNextChange(const cProfile& profile, const cCalendar* calendar, ScheduleTime at) {
  const std::optional<ScheduleTime> next = NextChangeAfter(ScheduleOf(profile), calendar, at);
  return FixedDecider(profile) ? std::nullopt : next;
}

std::vector<AgendaEntry> Agenda(std::span<const cProfile* const> profiles, const cCalendar* calendar,
                                ScheduleTime from, ScheduleTime to) {
  CheckWindow(from, to);
  std::vector<AgendaEntry> entries;
  for (size_t i = 0; i < profiles.size(); ++i) {
    const cProfile& profile = *profiles[i];
    const auto add = [&](ScheduleTime time, ProfileState state) {
      entries.push_back({time, i, profile.m_DiskIdentity, profile.GetName(), std::move(state)});
    };
    if (FixedDecider(profile)) {
      add(from, ProfileStateAt(profile, calendar, from));
      continue;
    }
    const cTimeSchedule& schedule = ScheduleOf(profile);
    ForEachChange(schedule, calendar, from, to, [&](ScheduleTime time, bool active) {
      ProfileState state = ProfileStateAt(profile, calendar, time);
      if (!active) state.period = AnswerAt(schedule, calendar, MinuteBefore(time)).period;
      add(time, std::move(state));
    });
  }
  std::stable_sort(entries.begin(), entries.end(), [](const AgendaEntry& a, const AgendaEntry& b) {
    if (a.time != b.time) return a.time < b.time;
    return a.disk_identity < b.disk_identity;
  });
  return entries;
}

std::vector<ActiveStretch> ActiveStretches(const cProfile& profile, const cCalendar* calendar, ScheduleTime from,
                                           ScheduleTime to) {
  CheckWindow(from, to);
  if (const auto fixed = FixedDecider(profile)) {
    if (*fixed == ProfileDecider::kDisabled) return {};
    return {{from, to}};
  }
  const cTimeSchedule& schedule = ScheduleOf(profile);
  std::vector<ActiveStretch> stretches;
  std::optional<ScheduleTime> start;
  if (IsActiveAt(schedule, calendar, from)) start = from;
  ForEachChange(schedule, calendar, from, to, [&](ScheduleTime time, bool active) {
    if (active) {
      start = time;
    } else if (start) {
      stretches.push_back({*start, time});
      start.reset();
    }
  });
  if (start) stretches.push_back({*start, to});
  return stretches;
}

std::string FormatScheduleTime(ScheduleTime time) {
  const CivilDateTime c = CivilFromDayNumber(time.day_number);
  char text[40];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", c.year, c.month, c.day, time.minute / 60,
                time.minute % 60);
  return text;
}

std::string DayTypeLabel(int16_t day_type) {
  static constexpr const char* kWeekdays[] = {"Monday", "Tuesday", "Wednesday", "Thursday",
                                              "Friday", "Saturday", "Sunday"};
  if (day_type >= 0 && day_type < kDayTypeCount && !DayTypeNames()[day_type].empty()) {
    return DayTypeNames()[day_type];
  }
  if (day_type >= 0 && day_type < 7) return kWeekdays[day_type];
  return "special day type " + std::to_string(day_type - 6);
}

}  // namespace quindo
