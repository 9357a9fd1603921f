#pragma once
// The agenda of a directory of profiles: every change of a profile's active
// state in a window of time, the state of every profile at one minute ("who
// is on now"), and a profile's active stretches. Built on the schedule
// answers, so times are the same wall-clock minutes: a day on which daylight
// saving skips or repeats an hour is answered like any other, each of its
// minutes once.
//
// A profile that does not use its schedule is active at every minute, and a
// disabled profile at none, whatever its schedule says: neither ever
// changes.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/export.h"
#include "model/schedule/schedule_answers.h"
#include "model/schedule/time_schedule_period.h"

namespace quindo {

class cCalendar;
class cProfile;

// What decided a profile's state: its schedule's day type (chosen by the
// weekday or by the calendar), or no schedule at all.
enum class ProfileDecider { kWeekday, kCalendar, kNoSchedule, kDisabled };

// "weekday", "calendar", "no schedule", "disabled".
QUINDO_EXPORT std::string_view DeciderName(ProfileDecider decider);

struct QUINDO_EXPORT ProfileState {
  bool active = false;
  // As ScheduleAnswer: the calendar's day type of the date, 0 without a
  // calendar or when the schedule does not use it.
  int16_t calendar_day_type = 0;
  // The schedule day type that decided; none without a deciding schedule.
  std::optional<int16_t> day_type;
  ProfileDecider decided_by = ProfileDecider::kWeekday;
  // The period that covers the minute (in an agenda entry that turns the
  // profile inactive: the period that ended).
  std::optional<cTimeSchedulePeriod> period;
};

// The profile's state at a minute; a time outside the calendar raises 5.
QUINDO_EXPORT ProfileState ProfileStateAt(const cProfile& profile, const cCalendar* calendar, ScheduleTime at);

// The profile's next change after a minute (as NextChangeAfter); none for a
// profile without a deciding schedule.
QUINDO_EXPORT std::optional<ScheduleTime> ProfileNextChange(const cProfile& profile, const cCalendar* calendar,
                                              ScheduleTime at);

struct QUINDO_EXPORT AgendaEntry {
  ScheduleTime time;
  size_t profile = 0;  // index into the profiles the agenda was made of
  int16_t disk_identity = -1;
  std::string name;
  ProfileState state;  // the state from `time` on
};

// Every change in the window [from, to): a minute whose state differs from
// the minute before it (so `from` itself when the state changes there). A
// profile without a deciding schedule is listed once, at `from`. Sorted by
// time, then identity, then the order of `profiles`. `to` may be
// kEndOfCalendar; a window outside the calendar or ending before it begins
// raises 5.
QUINDO_EXPORT std::vector<AgendaEntry> Agenda(std::span<const cProfile* const> profiles, const cCalendar* calendar,
                                ScheduleTime from, ScheduleTime to);

// A run of active minutes [start, stop) inside a window.
struct QUINDO_EXPORT ActiveStretch {
  ScheduleTime start;
  ScheduleTime stop;
  friend bool operator==(const ActiveStretch&, const ActiveStretch&) = default;
};

// The profile's active stretches in [from, to), cut at the window's ends:
// the same changes that Agenda lists, paired.
QUINDO_EXPORT std::vector<ActiveStretch> ActiveStretches(const cProfile& profile, const cCalendar* calendar,
                                           ScheduleTime from, ScheduleTime to);

// "Monday" .. "Sunday", "special day type 1" .. "16" for schedule day types
// 0..22, the name DayTypeNames() holds where a host has set one.
QUINDO_EXPORT std::string DayTypeLabel(int16_t day_type);

// "YYYY-MM-DD HH:MM".
QUINDO_EXPORT std::string FormatScheduleTime(ScheduleTime time);

}  // namespace quindo
