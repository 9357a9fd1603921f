// Figures of the agenda of a full directory: 9 991 profiles with plant
// schedules (one in twenty without its schedule, one in twenty disabled)
// and a calendar of 30 holiday rules, over the 7 days of a week with
// holidays. The agenda alone (target: under 1 s), loading the directory
// alone (the baseline), both together as `quindo-records agenda` does, and
// "who is on now" (every profile's state and next change at one minute).

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "common/settings.h"
#include "model/agenda/agenda.h"
#include "model/calendar/calendar.h"
#include "model/profile/profile.h"
#include "plant_schedules.h"

namespace quindo {
namespace {

constexpr int kFullDirectory = 9991;
// Monday 2024-12-23 00:00 to Monday 2024-12-30 00:00.
const ScheduleTime kFrom{DayNumberFromCivil(2024, 12, 23), 0};
const ScheduleTime kTo{DayNumberFromCivil(2024, 12, 30), 0};

// The directory, filled once and removed when the program ends.
struct Directory {
  Directory() {
    char pattern[] = "/tmp/agenda_bench.XXXXXX";
    path = std::string(::mkdtemp(pattern)) + "/";
    std::filesystem::create_directory(path + "Profiles");
    DataDirectory() = path;
    const std::vector<cTimeSchedule> schedules = TypicalSchedules(256, 3);
    for (int id = 1; id <= kFullDirectory; ++id) {
      cProfile p;
      p.m_DiskIdentity = static_cast<int16_t>(id);
      p.SetName("Plant@Hall " + std::to_string(id));
      p.m_UseTimeSchedule = id % 20 == 0 ? 0 : -1;
      p.m_Enabled = id % 20 == 1 ? 0 : -1;
      p.m_ParallellReceivers = "Operator";
      p.m_TimeSchedule = std::make_shared<cTimeSchedule>();
      p.m_TimeSchedule->ExtractPeriodArray(schedules[id % schedules.size()].ComposePeriodArray());
      if (!p.SaveToDisk()) std::abort();
    }
    ApplyHolidayRules(ThirtyRules(), calendar);
  }
  ~Directory() { std::filesystem::remove_all(path); }

  std::vector<std::unique_ptr<cProfile>> Load() const {
    DataDirectory() = path;
    std::vector<std::unique_ptr<cProfile>> profiles;
    for (int id = 1; id <= kFullDirectory; ++id) {
      auto p = std::make_unique<cProfile>();
      if (!p->LoadFromDisk(static_cast<int16_t>(id))) std::abort();
      profiles.push_back(std::move(p));
    }
    return profiles;
  }

  std::string path;
  cCalendar calendar;
};

const Directory& Filled() {
  static const Directory directory;
  return directory;
}

std::vector<const cProfile*> Pointers(const std::vector<std::unique_ptr<cProfile>>& profiles) {
  std::vector<const cProfile*> pointers;
  for (const auto& p : profiles) pointers.push_back(p.get());
  return pointers;
}

void BM_LoadDirectoryOnly(benchmark::State& state) {
  const Directory& d = Filled();
  for (auto _ : state) benchmark::DoNotOptimize(d.Load());
  state.counters["profiles"] = kFullDirectory;
}
BENCHMARK(BM_LoadDirectoryOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_AgendaOfAWeek(benchmark::State& state) {
  const Directory& d = Filled();
  const auto profiles = d.Load();
  const std::vector<const cProfile*> pointers = Pointers(profiles);
  size_t entries = 0;
  for (auto _ : state) {
    const std::vector<AgendaEntry> agenda = Agenda(pointers, &d.calendar, kFrom, kTo);
    entries = agenda.size();
    benchmark::DoNotOptimize(agenda.data());
  }
  state.counters["entries"] = static_cast<double>(entries);
}
BENCHMARK(BM_AgendaOfAWeek)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadDirectoryAndAgendaOfAWeek(benchmark::State& state) {
  const Directory& d = Filled();
  for (auto _ : state) {
    const auto profiles = d.Load();
    benchmark::DoNotOptimize(Agenda(Pointers(profiles), &d.calendar, kFrom, kTo).data());
  }
}
BENCHMARK(BM_LoadDirectoryAndAgendaOfAWeek)->Unit(benchmark::kMillisecond)->UseRealTime();

// "Who is on now": every profile's state and next change at Christmas noon.
void BM_WhoIsOnNow(benchmark::State& state) {
  const Directory& d = Filled();
  const auto profiles = d.Load();
  const ScheduleTime noon{DayNumberFromCivil(2024, 12, 25), 720};
  for (auto _ : state) {
    int active = 0;
    for (const auto& p : profiles) {
      active += ProfileStateAt(*p, &d.calendar, noon).active;
      benchmark::DoNotOptimize(ProfileNextChange(*p, &d.calendar, noon));
    }
    benchmark::DoNotOptimize(active);
  }
}
BENCHMARK(BM_WhoIsOnNow)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace quindo

BENCHMARK_MAIN();
