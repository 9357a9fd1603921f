#pragma once
// What the schedule benchmarks answer about: a national set of holiday rules
// and schedules like those of a plant, the same in every run.

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "model/calendar/holiday_rules.h"
#include "model/schedule/time_schedule.h"

namespace quindo {

inline HolidayRule Rule(HolidayRule::Kind kind, int32_t a, int32_t b, int32_t c, int32_t day_type) {
  HolidayRule r;
  r.kind = kind;
  r.label = "Holiday " + std::to_string(a) + "/" + std::to_string(b);
  r.day_type = day_type;
  r.view_in_calendar = true;
  if (kind == HolidayRule::Kind::kEaster) r.offset = a;
  if (kind != HolidayRule::Kind::kEaster) r.month = a;
  if (kind == HolidayRule::Kind::kFixed) r.day = b;
  if (kind == HolidayRule::Kind::kNthWeekday) r.weekday = b, r.n = c;
  return r;
}

// A national set: 12 fixed dates, 8 around Easter, 10 n-th weekdays.
inline std::vector<HolidayRule> ThirtyRules() {
  using K = HolidayRule::Kind;
  std::vector<HolidayRule> rules;
  for (int m = 1; m <= 12; ++m) rules.push_back(Rule(K::kFixed, m, m == 2 ? 29 : 1 + m, 0, 8 + m % 4));
  for (int offset : {-48, -47, -46, -2, 1, 39, 50, 60}) rules.push_back(Rule(K::kEaster, offset, 0, 0, 8));
  for (int m = 1; m <= 10; ++m) rules.push_back(Rule(K::kNthWeekday, m, 1 + m % 7, m % 2 ? -1 : 1 + m % 5, 9));
  return rules;
}

// Schedules like those of a plant: one to three periods on working days,
// some weekends and special day types, half of them following the calendar.
inline std::vector<cTimeSchedule> TypicalSchedules(int count, unsigned seed) {
  std::mt19937 rng(seed);
  const auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  std::vector<cTimeSchedule> schedules(count);
  for (cTimeSchedule& s : schedules) {
    s.m_UseCalendar = pick(0, 1) ? -1 : 0;
    for (int16_t d = 0; d < cTimeSchedule::kDayTypes; ++d) {
      if (d >= 7) s.SetActive(d, pick(0, 2) == 0);
      if (d >= 5 && pick(0, 1) == 0) continue;
      for (int n = pick(1, 3), start = pick(0, 600); n > 0 && start < 1440; --n) {
        const int stop = std::min(1440, start + pick(30, 600));
        s.Periods(d).push_back(std::make_shared<cTimeSchedulePeriod>(
            cTimeSchedulePeriod{static_cast<int16_t>(start), static_cast<int16_t>(stop)}));
        start = stop + pick(0, 240);
      }
    }
  }
  return schedules;
}

}  // namespace quindo
