// Figures of the receiver files: saving 1 000 new receivers into a fresh
// directory and loading them back (receivers/s), against writing files of the
// same size with and without forcing them to disk; and `quindo-records
// receiver list` on a full directory of 9 991 receivers (target: < 0.5 s).

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "common/settings.h"
#include "model/receiver/receiver.h"

namespace quindo {
namespace {

namespace fs = std::filesystem;

constexpr int kReceivers = 1000;
constexpr int kFullDirectory = 9991;

std::string NewDirectory() {
  char pattern[] = "/tmp/receiver_file_bench.XXXXXX";
  const std::string dir = ::mkdtemp(pattern);
  fs::create_directory(dir + "/Receivers");
  return dir + "/";
}

// A receiver of typical size: a name, a backup and two settings.
cReceiver TypicalReceiver(int n) {
  cReceiver r;
  r.m_ReceiverName = "Pager " + std::to_string(n);
  r.m_BackupReceiver = "Operator desk";
  r.SaveSetting(0, TypedValue::Text("+49 170 555 01 " + std::to_string(n % 100)));
  r.SaveSetting(1, TypedValue::Integer(30));
  r.SetReceiverTypeId(3);
  return r;
}

// A directory of `count` receivers, removed when the program ends. The
// files are copies of one saved receiver with their identity patched in, so
// that filling 9 991 files does not wait for 9 991 forced writes.
struct Directory {
  explicit Directory(int count) : path(NewDirectory()) {
    DataDirectory() = path;
    cReceiver first = TypicalReceiver(1);
    first.m_DiskIdentity = 1;
    if (!first.SaveToDisk()) std::abort();
    std::ifstream in(first.CreateFileName(1), std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(in), {}};
    for (int id = 2; id <= count; ++id) {
      bytes[2] = static_cast<char>(id & 0xFF);
      bytes[3] = static_cast<char>(id >> 8);
      std::ofstream(first.CreateFileName(static_cast<int16_t>(id)), std::ios::binary) << bytes;
    }
  }
  ~Directory() { fs::remove_all(path); }
  std::string path;
};

const Directory& Filled(int count) {
  static Directory small(kReceivers);
  if (count == kReceivers) return small;
  static Directory full(kFullDirectory);
  return full;
}

void BM_SaveNewReceivers(benchmark::State& state) {
  std::vector<cReceiver> receivers;
  for (int n = 0; n < kReceivers; ++n) receivers.push_back(TypicalReceiver(n));
  for (auto _ : state) {
    state.PauseTiming();
    DataDirectory() = NewDirectory();
    for (cReceiver& r : receivers) r.m_DiskIdentity = -1;
    state.ResumeTiming();
    for (cReceiver& r : receivers) {
      if (!r.SaveToDisk()) state.SkipWithError("save failed");
    }
    state.PauseTiming();
    fs::remove_all(DataDirectory());
    state.ResumeTiming();
  }
  state.counters["receivers/s"] = benchmark::Counter(state.iterations() * kReceivers, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SaveNewReceivers)->Unit(benchmark::kMillisecond)->UseRealTime();

// Baselines: new files of a receiver file's size written in place, without
// and with forcing each to disk (what a durable save cannot do without).
void CreateFiles(benchmark::State& state, bool sync) {
  const std::string bytes(2110, 'x');
  for (auto _ : state) {
    state.PauseTiming();
    const std::string dir = NewDirectory() + "Receivers/";
    state.ResumeTiming();
    for (int n = 0; n < kReceivers; ++n) {
      const int fd = ::open((dir + "File_" + std::to_string(n)).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
        state.SkipWithError("write failed");
      }
      if (sync) ::fsync(fd);
      ::close(fd);
    }
    state.PauseTiming();
    fs::remove_all(fs::path(dir).parent_path().parent_path());
    state.ResumeTiming();
  }
  state.counters["receivers/s"] = benchmark::Counter(state.iterations() * kReceivers, benchmark::Counter::kIsRate);
}
void BM_CreateFilesOnly(benchmark::State& state) { CreateFiles(state, false); }
BENCHMARK(BM_CreateFilesOnly)->Unit(benchmark::kMillisecond)->UseRealTime();
void BM_CreateAndSyncFilesOnly(benchmark::State& state) { CreateFiles(state, true); }
BENCHMARK(BM_CreateAndSyncFilesOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadReceivers(benchmark::State& state) {
  DataDirectory() = Filled(kReceivers).path;
  for (auto _ : state) {
    for (int id = 1; id <= kReceivers; ++id) {
      cReceiver r;
      if (!r.LoadFromDisk(static_cast<int16_t>(id))) state.SkipWithError("load failed");
    }
  }
  state.counters["receivers/s"] = benchmark::Counter(state.iterations() * kReceivers, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_LoadReceivers)->Unit(benchmark::kMillisecond)->UseRealTime();

#ifdef QUINDO_RECORDS_TOOL
void BM_ListFullDirectoryWithTool(benchmark::State& state) {
  const std::string command = std::string(QUINDO_RECORDS_TOOL) + " receiver list --data-dir " +
                              Filled(kFullDirectory).path + " > /dev/null";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) state.SkipWithError("quindo-records failed");
  }
  state.counters["receivers/s"] = benchmark::Counter(state.iterations() * kFullDirectory, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ListFullDirectoryWithTool)->Unit(benchmark::kMillisecond)->UseRealTime();
#endif

}  // namespace
}  // namespace quindo

BENCHMARK_MAIN();
