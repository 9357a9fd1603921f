// Figures of the schedule answers: one million random (profile, time)
// questions answered "active now?" (answers/s; target >= 5 million on one
// core) and answered in full, against only looking up the calendar day of
// each question; the next change when it lies within a week (target <= 5 us
// per search) and when there is none up to 2039; and expanding 30 holiday
// rules over the 40 calendar years.

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "model/calendar/calendar.h"
#include "model/calendar/day_number.h"
#include "model/calendar/holiday_rules.h"
#include "model/schedule/schedule_answers.h"
#include "model/schedule/time_schedule.h"
#include "plant_schedules.h"

namespace quindo {
namespace {

constexpr int kQuestions = 1000000;
constexpr int kSchedules = 64;

struct Question {
  const cTimeSchedule* schedule;
  ScheduleTime at;
};

struct Fixture {
  Fixture() : schedules(TypicalSchedules(kSchedules, 7)) {
    ApplyHolidayRules(ThirtyRules(), calendar);
    std::mt19937 rng(11);
    questions.reserve(kQuestions);
    for (int i = 0; i < kQuestions; ++i) {
      questions.push_back({&schedules[rng() % kSchedules],
                           {static_cast<int32_t>(rng() % kCalendarDays), static_cast<int32_t>(rng() % 1440)}});
    }
  }
  std::vector<cTimeSchedule> schedules;
  cCalendar calendar;
  std::vector<Question> questions;
};

const Fixture& Shared() {
  static const Fixture fixture;
  return fixture;
}

void Report(benchmark::State& state, int64_t per_iteration) {
  state.counters["answers/s"] =
      benchmark::Counter(static_cast<double>(state.iterations() * per_iteration), benchmark::Counter::kIsRate);
}

void BM_CalendarLookupOnly(benchmark::State& state) {
  const Fixture& f = Shared();
  for (auto _ : state) {
    int64_t sum = 0;
    for (const Question& q : f.questions) sum += f.calendar.GetDayType(q.at.day_number) + q.schedule->m_UseCalendar;
    benchmark::DoNotOptimize(sum);
  }
  Report(state, kQuestions);
}
BENCHMARK(BM_CalendarLookupOnly)->Unit(benchmark::kMillisecond);

void BM_ActiveNow(benchmark::State& state) {
  const Fixture& f = Shared();
  for (auto _ : state) {
    int64_t active = 0;
    for (const Question& q : f.questions) active += IsActiveAt(*q.schedule, &f.calendar, q.at);
    benchmark::DoNotOptimize(active);
  }
  Report(state, kQuestions);
}
BENCHMARK(BM_ActiveNow)->Unit(benchmark::kMillisecond);

void BM_FullAnswer(benchmark::State& state) {
  const Fixture& f = Shared();
  for (auto _ : state) {
    int64_t active = 0;
    for (const Question& q : f.questions) active += AnswerAt(*q.schedule, &f.calendar, q.at).active;
    benchmark::DoNotOptimize(active);
  }
  Report(state, kQuestions);
}
BENCHMARK(BM_FullAnswer)->Unit(benchmark::kMillisecond);

// A night shift on Monday and Friday only, asked at random minutes, so that
// the change lies up to a week ahead. The time column is the time per search.
void BM_NextChangeWithinAWeek(benchmark::State& state) {
  const Fixture& f = Shared();
  cTimeSchedule night;
  night.m_UseCalendar = -1;
  for (int16_t d : {0, 4}) night.Periods(d).push_back(std::make_shared<cTimeSchedulePeriod>(cTimeSchedulePeriod{1320, 1440}));
  std::mt19937 rng(5);
  std::vector<ScheduleTime> times(4096);
  for (ScheduleTime& t : times) {
    t = {static_cast<int32_t>(rng() % (kCalendarDays - 14)), static_cast<int32_t>(rng() % 1440)};
  }
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(NextChangeAfter(night, &f.calendar, times[i++ % times.size()]));
  }
}
BENCHMARK(BM_NextChangeWithinAWeek)->Unit(benchmark::kMicrosecond);

// The longest search: always active, a calendar in use, nothing changes up
// to 2039 (all 14,610 days are looked at).
void BM_NextChangeNoneWithCalendar(benchmark::State& state) {
  const Fixture& f = Shared();
  cTimeSchedule always;
  always.m_UseCalendar = -1;
  for (int16_t d = 0; d < cTimeSchedule::kDayTypes; ++d) {
    always.SetActive(d, -1);
    always.Periods(d).push_back(std::make_shared<cTimeSchedulePeriod>(cTimeSchedulePeriod{0, 1440}));
  }
  for (auto _ : state) benchmark::DoNotOptimize(NextChangeAfter(always, &f.calendar, {0, 0}));
}
BENCHMARK(BM_NextChangeNoneWithCalendar)->Unit(benchmark::kMicrosecond);

void BM_ExpandThirtyRules(benchmark::State& state) {
  const std::vector<HolidayRule> rules = ThirtyRules();
  size_t dates = 0;
  for (auto _ : state) {
    const auto expanded = ExpandHolidayRules(rules);
    dates = expanded.size();
    benchmark::DoNotOptimize(expanded.data());
  }
  state.counters["dates"] = static_cast<double>(dates);
}
BENCHMARK(BM_ExpandThirtyRules)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quindo

BENCHMARK_MAIN();
