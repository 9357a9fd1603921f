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

namespace quindo {
namespace {

constexpr int kQuestions = 1000000;
constexpr int kSchedules = 64;

HolidayRule Rule(HolidayRule::Kind kind, int32_t a, int32_t b, int32_t c, int32_t day_type) {
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
std::vector<HolidayRule> ThirtyRules() {
  using K = HolidayRule::Kind;
  std::vector<HolidayRule> rules;
  for (int m = 1; m <= 12; ++m) rules.push_back(Rule(K::kFixed, m, m == 2 ? 29 : 1 + m, 0, 8 + m % 4));
  for (int offset : {-48, -47, -46, -2, 1, 39, 50, 60}) rules.push_back(Rule(K::kEaster, offset, 0, 0, 8));
  for (int m = 1; m <= 10; ++m) rules.push_back(Rule(K::kNthWeekday, m, 1 + m % 7, m % 2 ? -1 : 1 + m % 5, 9));
  return rules;
}

// Schedules like those of a plant: one to three periods on working days,
// some weekends and special day types, half of them following the calendar.
std::vector<cTimeSchedule> TypicalSchedules() {
  std::mt19937 rng(7);
  const auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  std::vector<cTimeSchedule> schedules(kSchedules);
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

struct Question {
  const cTimeSchedule* schedule;
  ScheduleTime at;
};

struct Fixture {
  Fixture() : schedules(TypicalSchedules()) {
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
