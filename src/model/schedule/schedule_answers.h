#pragma once
// Answers about a weekly schedule at a local wall-clock time: is it active,
// which day type and period decide, and when does that next change. Times
// are wall-clock minutes of a calendar day, so a day on which daylight saving
// skips or repeats an hour is answered like any other.

#include <compare>
#include <cstdint>
#include <optional>

#include "model/calendar/day_number.h"
#include "model/schedule/time_schedule_period.h"
#include "common/export.h"

namespace quindo {

class cCalendar;
class cTimeSchedule;

// A minute of the calendar's range: day number 0..14,609 (days since
// 1 January 2000) and minute 0..1439 of that day.
struct QUINDO_EXPORT ScheduleTime {
  int32_t day_number = 0;
  int32_t minute = 0;
  friend auto operator<=>(const ScheduleTime&, const ScheduleTime&) = default;
};

// The minute just past 2039-12-31 23:59, for the end of a half-open range.
inline constexpr ScheduleTime kEndOfCalendar{kCalendarDays, 0};

// Minutes since 2000-01-01 00:00, and back: for stepping by minutes across
// midnight (TimeOfMinutes(MinutesOf(t) - 1) is the minute before t).
constexpr int32_t MinutesOf(ScheduleTime t) { return t.day_number * 1440 + t.minute; }
constexpr ScheduleTime TimeOfMinutes(int32_t minutes) { return {minutes / 1440, minutes % 1440}; }

enum class DecidedBy { kWeekday, kCalendar };

struct QUINDO_EXPORT ScheduleAnswer {
  bool active = false;
  // The calendar's day type of the date; 0 without a calendar or when the
  // schedule's m_UseCalendar is 0. Kept even when the weekday decided.
  int16_t calendar_day_type = 0;
  // The schedule day type whose periods decide (0..22).
  int16_t day_type = 0;
  DecidedBy decided_by = DecidedBy::kWeekday;
  // The first period of the deciding day type, in list order, that covers
  // the minute; none when the schedule is not active.
  std::optional<cTimeSchedulePeriod> period;
};

// The schedule day type that decides a date, as the month view shows it:
// calendar day type t - 1 when t is 1..23 and that day type is active in the
// schedule, otherwise the date's own weekday (0 = Monday).
QUINDO_EXPORT int16_t DecidingDayType(const cTimeSchedule& schedule, int16_t calendar_day_type, int32_t weekday);

// The answer at a time. The calendar may be null. Periods are half-open,
// [start, stop): 00:00-24:00 covers the whole day and a zero-length period
// nothing; an inactive day type has no periods. A time outside the range
// raises error 5.
QUINDO_EXPORT ScheduleAnswer AnswerAt(const cTimeSchedule& schedule, const cCalendar* calendar, ScheduleTime at);

// Only whether the schedule is active at a time: the same answer as
// AnswerAt(...).active, for callers that ask it very often.
QUINDO_EXPORT bool IsActiveAt(const cTimeSchedule& schedule, const cCalendar* calendar, ScheduleTime at);

// The first later minute, up to 2039-12-31 23:59, at which active and
// inactive change places; none when they never do. Passing from one period
// straight into a touching or overlapping one is no change. A time outside
// the range raises error 5.
QUINDO_EXPORT std::optional<ScheduleTime> NextChangeAfter(const cTimeSchedule& schedule, const cCalendar* calendar,
                                            ScheduleTime at);
// The same change when it lies before `limit`, else none: a search over a
// window looks at the window's days only.
QUINDO_EXPORT std::optional<ScheduleTime> NextChangeBefore(const cTimeSchedule& schedule, const cCalendar* calendar,
                                             ScheduleTime at, ScheduleTime limit);

}  // namespace quindo
