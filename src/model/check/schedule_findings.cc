// The schedules' findings: never or always active in the year, special days
// on which the weekday decides, and periods that an older save left outside
// the day or that a save would merge.

#include <set>
#include <string>

#include "common/error.h"
#include "model/agenda/agenda.h"
#include "model/calendar/calendar.h"
#include "model/calendar/day_number.h"
#include "model/check/findings.h"
#include "model/profile/profile.h"
#include "model/schedule/period_list.h"
#include "model/schedule/schedule_answers.h"
#include "model/schedule/time_schedule.h"

namespace quindo {
namespace {

constexpr int16_t kFirstSpecialCalendarDayType = 8;
constexpr int16_t kLastSpecialCalendarDayType = 23;

std::string PeriodText(const cTimeSchedulePeriod& p) {
  return "[" + std::to_string(p.m_StartMinute) + ", " + std::to_string(p.m_StopMinute) + "]";
}

std::string ListText(const std::vector<PeriodRef>& periods) {
  std::string text;
  for (const PeriodRef& p : periods) text += (text.empty() ? "" : " ") + PeriodText(*p);
  return text;
}

struct YearRange {
  int32_t first_day = 0;
  int32_t end_day = 0;  // the day after the year's last
};

YearRange RangeOf(int32_t year) {
  if (year < kFirstCalendarYear || year > kLastCalendarYear) {
    throw Error(kInvalidProcedureCall, "The year " + std::to_string(year) + " is outside 2000..2039");
  }
  return {DayNumberFromCivil(year, 1, 1), DayNumberFromCivil(year + 1, 1, 1)};
}

class ProfileCheck {
 public:
  ProfileCheck(const CheckInput& input, size_t index, YearRange year, std::vector<Finding>& out)
      : input_(input), index_(index), profile_(*input.profiles[index]), year_(year), out_(out) {}

  void Run() {
    if (!profile_.m_TimeSchedule) return;
    const cTimeSchedule& schedule = *profile_.m_TimeSchedule;
    if (profile_.m_UseTimeSchedule != 0) {
      YearActivity(schedule);
      WeekdayDecides(schedule);
    }
    PeriodsBeyondDay(schedule);
    OverlappingPeriods(schedule);
  }

 private:
  Finding& Add(FindingKind kind, std::string message) {
    out_.push_back({kind, profile_.m_DiskIdentity, index_, {}, Quoted(profile_.GetName()) + std::move(message)});
    return out_.back();
  }

  std::string Year() const { return std::to_string(CivilFromDayNumber(year_.first_day).year); }

  // No change in the whole year: never active, or always.
  void YearActivity(const cTimeSchedule& schedule) {
    const ScheduleTime start{year_.first_day, 0};
    if (NextChangeBefore(schedule, input_.calendar, start, {year_.end_day, 0})) return;
    if (IsActiveAt(schedule, input_.calendar, start)) {
      Add(FindingKind::kAlwaysActive,
          " uses its schedule but is active 00:00-24:00 every day of " + Year() + ", as if it used none");
    } else {
      Add(FindingKind::kNeverActive, " uses its schedule but is active at no time of " + Year());
    }
  }

  // Special days whose day type the schedule does not have active.
  void WeekdayDecides(const cTimeSchedule& schedule) {
    if (input_.calendar == nullptr || schedule.m_UseCalendar == 0) return;
    std::vector<int32_t> dates;
    std::set<int16_t> day_types;
    for (int32_t day = year_.first_day; day < year_.end_day; ++day) {
      const int16_t t = input_.calendar->GetDayType(day);
      if (t < kFirstSpecialCalendarDayType || t > kLastSpecialCalendarDayType) continue;
      if (DecidingDayType(schedule, t, WeekdayOfDayNumber(day)) == t - 1) continue;
      dates.push_back(day);
      day_types.insert(static_cast<int16_t>(t - 1));
    }
    if (dates.empty()) return;
    std::string names;
    for (int16_t d : day_types) names += (names.empty() ? "" : ", ") + DayTypeLabel(d);
    Add(FindingKind::kWeekdayDecides, ": on " + std::to_string(dates.size()) + " date(s) of " + Year() +
                                          " the calendar gives " + names +
                                          ", which the schedule does not have active, so the weekday decides")
        .dates = std::move(dates);
  }

  void PeriodsBeyondDay(const cTimeSchedule& schedule) {
    std::string found;
    for (int16_t d = 0; d < cTimeSchedule::kDayTypes; ++d) {
      for (const PeriodRef& p : schedule.Periods(d)) {
        const auto outside = [](int16_t minute) { return minute < 0 || minute > 1440; };
        if (!outside(p->m_StartMinute) && !outside(p->m_StopMinute)) continue;
        found += (found.empty() ? "" : ", ") + DayTypeLabel(d) + " " + PeriodText(*p);
      }
    }
    if (found.empty()) return;
    Add(FindingKind::kPeriodBeyondDay,
        " has periods stored beyond 00:00-24:00, of which only the part within the day counts: " + found);
  }

  // What a save's merge would change, with the editing's own merge.
  void OverlappingPeriods(const cTimeSchedule& schedule) {
    std::string found;
    for (int16_t d = 0; d < cTimeSchedule::kDayTypes; ++d) {
      const std::vector<PeriodRef>& periods = schedule.Periods(d);
      std::vector<PeriodRef> merged = CopyPeriodList(periods);
      PeriodRef no_selection;
      MergePeriodList(merged, no_selection);
      if (merged.size() == periods.size()) continue;
      found += (found.empty() ? "" : "; ") + DayTypeLabel(d) + " " + ListText(periods) + " becomes " +
               ListText(merged);
    }
    if (found.empty()) return;
    Add(FindingKind::kOverlappingPeriods, " has periods that overlap or touch, which a save merges: " + found);
  }

  const CheckInput& input_;
  size_t index_;
  const cProfile& profile_;
  YearRange year_;
  std::vector<Finding>& out_;
};

}  // namespace

std::vector<Finding> CheckSchedules(const CheckInput& input) {
  const YearRange year = RangeOf(input.year);
  std::vector<Finding> findings;
  for (size_t i = 0; i < input.profiles.size(); ++i) ProfileCheck(input, i, year, findings).Run();
  return findings;
}

}  // namespace quindo
