#include "model/schedule/schedule_answers.h"

#include <algorithm>
#include <string>
#include <vector>

#include "common/error.h"
#include "model/calendar/calendar.h"
#include "model/calendar/day_number.h"
#include "model/schedule/period_cover.h"
#include "model/schedule/time_schedule.h"

namespace quindo {
namespace {

constexpr int32_t kMinutesPerDay = 1440;
constexpr int32_t kDaysPerWeek = 7;

void CheckTime(ScheduleTime at) {
  if (at.day_number < 0 || at.day_number >= kCalendarDays) {
    throw Error(kInvalidProcedureCall, "Day number " + std::to_string(at.day_number) +
                                           " is outside 0.." + std::to_string(kCalendarDays - 1));
  }
  if (at.minute < 0 || at.minute >= kMinutesPerDay) {
    throw Error(kInvalidProcedureCall, "Minute " + std::to_string(at.minute) + " is outside 0..1439");
  }
}

bool CalendarApplies(const cTimeSchedule& schedule, const cCalendar* calendar) {
  return calendar != nullptr && schedule.m_UseCalendar != 0;
}

int16_t CalendarDayType(const cTimeSchedule& schedule, const cCalendar* calendar, int32_t day) {
  return CalendarApplies(schedule, calendar) ? calendar->GetDayType(day) : 0;
}

bool CalendarDecides(const cTimeSchedule& schedule, int16_t calendar_day_type) {
  return calendar_day_type >= 1 && calendar_day_type <= cTimeSchedule::kDayTypes &&
         schedule.GetActive(static_cast<int16_t>(calendar_day_type - 1)) != 0;
}

// The periods that count on a day: none for an inactive day type, as the
// schedule's own iteration yields none.
const std::vector<PeriodRef>& PeriodsOfDay(const cTimeSchedule& schedule, const cCalendar* calendar,
                                           int32_t day) {
  static const std::vector<PeriodRef> kNoPeriods;
  const int16_t type =
      DecidingDayType(schedule, CalendarDayType(schedule, calendar, day), WeekdayOfDayNumber(day));
  return schedule.GetActive(type) != 0 ? schedule.Periods(type) : kNoPeriods;
}

bool Covers(const cTimeSchedulePeriod& p, int32_t minute) {
  const auto span = CoveredSpan(p);
  return span && span->start <= minute && minute < span->stop;
}

bool AnyCovers(const std::vector<PeriodRef>& periods, int32_t minute) {
  for (const PeriodRef& p : periods) {
    if (Covers(*p, minute)) return true;
  }
  return false;
}

// From a covered minute, the first minute the periods together no longer
// cover; the day's end (1440) when they reach it.
int32_t EndOfCover(const std::vector<PeriodRef>& periods, int32_t minute) {
  int32_t end = minute;
  for (bool extended = true; extended && end < kMinutesPerDay;) {
    extended = false;
    for (const PeriodRef& p : periods) {
      if (Covers(*p, end)) {
        end = CoveredSpan(*p)->stop;
        extended = true;
      }
    }
  }
  return end;
}

// From an uncovered minute, the first later minute of the day that a period
// covers; 1440 when none does. A period that covers any later minute starts
// after this one, since it does not cover this one.
int32_t NextCoveredMinute(const std::vector<PeriodRef>& periods, int32_t minute) {
  int32_t next = kMinutesPerDay;
  for (const PeriodRef& p : periods) {
    const auto span = CoveredSpan(*p);
    if (span && span->start > minute) next = std::min(next, span->start);
  }
  return next;
}

}  // namespace

int16_t DecidingDayType(const cTimeSchedule& schedule, int16_t calendar_day_type, int32_t weekday) {
  return CalendarDecides(schedule, calendar_day_type) ? static_cast<int16_t>(calendar_day_type - 1)
                                                      : static_cast<int16_t>(weekday);
}

ScheduleAnswer AnswerAt(const cTimeSchedule& schedule, const cCalendar* calendar, ScheduleTime at) {
  CheckTime(at);
  ScheduleAnswer answer;
  answer.calendar_day_type = CalendarDayType(schedule, calendar, at.day_number);
  const bool by_calendar = CalendarDecides(schedule, answer.calendar_day_type);
  answer.decided_by = by_calendar ? DecidedBy::kCalendar : DecidedBy::kWeekday;
  answer.day_type = by_calendar ? static_cast<int16_t>(answer.calendar_day_type - 1)
                                : static_cast<int16_t>(WeekdayOfDayNumber(at.day_number));
  if (schedule.GetActive(answer.day_type) == 0) return answer;
  for (const PeriodRef& p : schedule.Periods(answer.day_type)) {
    if (Covers(*p, at.minute)) {
      answer.active = true;
      answer.period = *p;
      break;
    }
  }
  return answer;
}

bool IsActiveAt(const cTimeSchedule& schedule, const cCalendar* calendar, ScheduleTime at) {
  CheckTime(at);
  return AnyCovers(PeriodsOfDay(schedule, calendar, at.day_number), at.minute);
}

std::optional<ScheduleTime> NextChangeAfter(const cTimeSchedule& schedule, const cCalendar* calendar,
                                            ScheduleTime at) {
  return NextChangeBefore(schedule, calendar, at, kEndOfCalendar);
}

std::optional<ScheduleTime> NextChangeBefore(const cTimeSchedule& schedule, const cCalendar* calendar,
                                             ScheduleTime at, ScheduleTime limit) {
  CheckTime(at);
  // Without the calendar the days repeat weekly: a whole week of one state
  // means it never changes.
  const bool weekly = !CalendarApplies(schedule, calendar);
  const int32_t last_day = std::min(limit.day_number, kCalendarDays - 1);
  const auto before_limit = [limit](ScheduleTime t) -> std::optional<ScheduleTime> {
    if (t < limit) return t;
    return std::nullopt;
  };
  int32_t day = at.day_number;
  int32_t minute = at.minute;
  const std::vector<PeriodRef>* periods = &PeriodsOfDay(schedule, calendar, day);
  const bool active = AnyCovers(*periods, minute);
  for (int32_t unchanged_days = 0;; ++unchanged_days) {
    const int32_t change = active ? EndOfCover(*periods, minute) : NextCoveredMinute(*periods, minute);
    if (change < kMinutesPerDay) return before_limit({day, change});
    // The state lasts to the end of this day; the next day may open with the other one.
    if (++day > last_day || (weekly && unchanged_days == kDaysPerWeek)) return std::nullopt;
    periods = &PeriodsOfDay(schedule, calendar, day);
    minute = 0;
    if (AnyCovers(*periods, 0) != active) return before_limit({day, 0});
  }
}

}  // namespace quindo
