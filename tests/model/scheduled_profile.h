#pragma once
// Profiles with schedules for the tests of answers over many profiles (the
// agenda, the check): built in memory, with periods added by day type.

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

inline void AddPeriod(cProfile& p, int16_t day_type, int16_t start, int16_t stop) {
  p.m_TimeSchedule->Periods(day_type).push_back(
      std::make_shared<cTimeSchedulePeriod>(cTimeSchedulePeriod{start, stop}));
}

inline ScheduleTime At(int32_t y, int32_t m, int32_t d, int32_t hour, int32_t minute) {
  return {DayNumberFromCivil(y, m, d), hour * 60 + minute};
}

}  // namespace quindo
