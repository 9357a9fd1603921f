#pragma once
// Schedules and profiles with schedules built in memory, with periods added
// by day type, for the schedule tests and the answers over many profiles
// (the agenda, the check).

#include <memory>
#include <string>

#include "model/calendar/day_number.h"
#include "model/profile/profile.h"
#include "model/schedule/schedule_answers.h"
#include "model/schedule/time_schedule.h"

namespace quindo {

// A profile that uses its schedule, with no periods; day types 0..6 active.
inline std::unique_ptr<cProfile> ScheduledProfile(int16_t identity, const std::string& name) {
  auto p = std::make_unique<cProfile>();
  p->m_DiskIdentity = identity;
  p->SetName(name);
  p->m_UseTimeSchedule = -1;
  p->m_ParallellReceivers = "Operator";
  p->m_TimeSchedule = std::make_shared<cTimeSchedule>();
  return p;
}

// Adds a period to the end of one day type's list and returns it.
inline PeriodRef AddPeriod(cTimeSchedule& s, int16_t day_type, int16_t start, int16_t stop) {
  auto period = std::make_shared<cTimeSchedulePeriod>(cTimeSchedulePeriod{start, stop});
  s.Periods(day_type).push_back(period);
  return period;
}

inline void AddPeriod(cProfile& p, int16_t day_type, int16_t start, int16_t stop) {
  AddPeriod(*p.m_TimeSchedule, day_type, start, stop);
}

inline ScheduleTime At(int32_t y, int32_t m, int32_t d, int32_t hour, int32_t minute) {
  return {DayNumberFromCivil(y, m, d), hour * 60 + minute};
}

}  // namespace quindo
