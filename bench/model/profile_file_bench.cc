// Figures of the profile files: saving 1 000 new profiles into a fresh
// directory, saving them again over their own files, and loading them back
// (profiles/s), against creating and reading files of the same size alone;
// loading a full directory of 9 991 profiles in one process; and
// `quindo-records profile list` on that directory.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "common/settings.h"
#include "model/profile/profile.h"
#include "model/profile/profile_naming.h"

namespace quindo {
namespace {

namespace fs = std::filesystem;

constexpr int kProfiles = 1000;
constexpr int kFullDirectory = 9991;

std::string NewDirectory() {
  char pattern[] = "/tmp/profile_file_bench.XXXXXX";
  const std::string dir = ::mkdtemp(pattern);
  fs::create_directory(dir + "/Profiles");
  return dir + "/";
}

// A profile of typical size: a few texts, every system set, a working week.
cProfile TypicalProfile(int n) {
  cProfile p;
  p.SetName("Plant@Hall " + std::to_string(n));
  p.m_ParallellReceivers = "Operator;Pager 2";
  p.SetCondition(0, TypedValue::Text("Priority >= 3"));
  p.SetCondition(1, TypedValue::Text("Area = North"));
  for (int16_t i = 0; i < cProfile::kSystems; ++i) p.SetSystem(i, -1);
  p.m_TimeSchedule = std::make_shared<cTimeSchedule>();
  p.m_TimeSchedule->SetDefaultPeriod();
  return p;
}

// Directories filled once and removed when the program ends.
struct Directory {
  explicit Directory(int count) : path(NewDirectory()) {
    DataDirectory() = path;
    for (int id = 1; id <= count; ++id) {
      cProfile p = TypicalProfile(id);
      p.m_DiskIdentity = static_cast<int16_t>(id);
      if (!p.SaveToDisk()) std::abort();
    }
  }
  ~Directory() { fs::remove_all(path); }
  std::string path;
};

const Directory& Filled(int count) {
  static Directory small(kProfiles);
  static Directory* full = nullptr;
  if (count == kProfiles) return small;
  if (full == nullptr) {
    static Directory made(kFullDirectory);
    full = &made;
  }
  return *full;
}

void BM_SaveNewProfiles(benchmark::State& state) {
  std::vector<cProfile> profiles;
  for (int n = 0; n < kProfiles; ++n) profiles.push_back(TypicalProfile(n));
  for (auto _ : state) {
    state.PauseTiming();
    DataDirectory() = NewDirectory();
    for (cProfile& p : profiles) p.m_DiskIdentity = -1;
    state.ResumeTiming();
    for (cProfile& p : profiles) {
      if (!p.SaveToDisk()) state.SkipWithError("save failed");
    }
    state.PauseTiming();
    fs::remove_all(DataDirectory());
    state.ResumeTiming();
  }
  state.counters["profiles/s"] = benchmark::Counter(state.iterations() * kProfiles, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SaveNewProfiles)->Unit(benchmark::kMillisecond)->UseRealTime();

// Saving the same 1 000 profiles again over their own files.
void BM_SaveExistingProfiles(benchmark::State& state) {
  std::vector<cProfile> profiles;
  DataDirectory() = NewDirectory();
  for (int n = 0; n < kProfiles; ++n) {
    profiles.push_back(TypicalProfile(n));
    profiles.back().m_DiskIdentity = static_cast<int16_t>(n + 1);
    if (!profiles.back().SaveToDisk()) std::abort();
  }
  for (auto _ : state) {
    for (cProfile& p : profiles) {
      if (!p.SaveToDisk()) state.SkipWithError("save failed");
    }
  }
  fs::remove_all(DataDirectory());
  state.counters["profiles/s"] = benchmark::Counter(state.iterations() * kProfiles, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SaveExistingProfiles)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// Baseline: the same number of new files of a profile file's size, written
// in place without a temporary file, identity search or encoding.
void BM_CreateFilesOnly(benchmark::State& state) {
  const std::string bytes(2500, 'x');
  for (auto _ : state) {
    state.PauseTiming();
    const std::string dir = NewDirectory() + "Profiles/";
    state.ResumeTiming();
    for (int n = 0; n < kProfiles; ++n) {
      std::ofstream(dir + "File_" + std::to_string(n), std::ios::binary) << bytes;
    }
    state.PauseTiming();
    fs::remove_all(fs::path(dir).parent_path().parent_path());
    state.ResumeTiming();
  }
  state.counters["profiles/s"] = benchmark::Counter(state.iterations() * kProfiles, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CreateFilesOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

void LoadAll(benchmark::State& state, int count) {
  DataDirectory() = Filled(count).path;
  for (auto _ : state) {
    for (int id = 1; id <= count; ++id) {
      cProfile p;
      if (!p.LoadFromDisk(static_cast<int16_t>(id))) state.SkipWithError("load failed");
    }
  }
  state.counters["profiles/s"] = benchmark::Counter(state.iterations() * count, benchmark::Counter::kIsRate);
}

void BM_LoadProfiles(benchmark::State& state) { LoadAll(state, kProfiles); }
BENCHMARK(BM_LoadProfiles)->Unit(benchmark::kMillisecond)->UseRealTime();

// Baseline: the same files read whole into memory, with no decoding.
void BM_ReadFileBytesOnly(benchmark::State& state) {
  DataDirectory() = Filled(kProfiles).path;
  const cProfile namer;
  for (auto _ : state) {
    for (int id = 1; id <= kProfiles; ++id) {
      std::ifstream in(namer.CreateFileName(static_cast<int16_t>(id)), std::ios::binary);
      std::string bytes{std::istreambuf_iterator<char>(in), {}};
      benchmark::DoNotOptimize(bytes);
    }
  }
  state.counters["profiles/s"] = benchmark::Counter(state.iterations() * kProfiles, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ReadFileBytesOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

// The whole directory in one process; the target is under one second.
void BM_LoadFullDirectory(benchmark::State& state) { LoadAll(state, kFullDirectory); }
BENCHMARK(BM_LoadFullDirectory)->Unit(benchmark::kMillisecond)->UseRealTime();

#ifdef QUINDO_RECORDS_TOOL
void BM_ListFullDirectoryWithTool(benchmark::State& state) {
  const std::string command = std::string(QUINDO_RECORDS_TOOL) + " profile list --data-dir " +
                              Filled(kFullDirectory).path + " > /dev/null";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) state.SkipWithError("quindo-records failed");
  }
  state.counters["profiles/s"] = benchmark::Counter(state.iterations() * kFullDirectory, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ListFullDirectoryWithTool)->Unit(benchmark::kMillisecond)->UseRealTime();
#endif

}  // namespace
}  // namespace quindo

BENCHMARK_MAIN();
