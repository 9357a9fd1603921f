// Figures of the record files at scale, each beside a baseline from the same
// run (the program's own start-up is in both):
//   - `quindo-records alarm append` of one alarm to a log of 1 000 000
//     records, against the same append to an empty log: ms per run and the
//     run's peak memory (maxrss_MB);
//   - the same append through the library in one process (us per append);
//   - `alarm dump --jsonl` and `alarm dump` of 1 000 000 records: records/s
//     and peak memory, against dumping 10 records;
//   - eight processes appending 1 000 alarms each at once through the
//     library: complete records found of 8 000, against one process
//     appending all 8 000;
//   - `calendar show` of a 512 MB calendar file, against a valid one of
//     29 220 bytes: ms and peak memory.
// The large files are made once, byte for byte from one saved record, and
// removed when the program ends.

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/binary_file.h"
#include "common/error.h"
#include "model/alarm/alarm.h"
#include "model/calendar/calendar.h"
#include "../scratch_directory.h"

namespace quindo {
namespace {

namespace fs = std::filesystem;

constexpr int kLargeLog = 1'000'000;
constexpr int kSmallLog = 10;
constexpr int kAppenders = 8;
constexpr int kAppendsEach = 1000;
constexpr int64_t kLargeCalendar = int64_t{512} << 20;

const std::string& Dir() {
  static bench::ScratchDirectory dir("/tmp/file_scale_bench");
  return dir.path;
}

cAlarm NumberedAlarm(int n) {
  cAlarm alarm;
  alarm.m_EventId = n;
  return alarm;
}

// The bytes of one alarm record with empty texts (104 bytes).
std::string RecordBytes() {
  const std::string path = Dir() + "/one.dat";
  {
    BinaryFile file;
    file.Open(path, BinaryFile::Mode::kCreate);
    NumberedAlarm(1).WriteToDisk(file, 0);
    file.Close();
  }
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// A copy of `from` at `to`, forced to disk: an append's own sync must not
// pay for flushing the copy.
void CopyDurably(const std::string& from, const std::string& to) {
  fs::copy_file(from, to, fs::copy_options::overwrite_existing);
  const int fd = ::open(to.c_str(), O_RDONLY);
  ::fsync(fd);
  ::close(fd);
}

// A log of `count` records; the name is kept for the run.
std::string LogOf(int count) {
  const std::string path = Dir() + "/log_" + std::to_string(count) + ".dat";
  if (fs::exists(path)) return path;
  const std::string record = RecordBytes();
  std::string block;
  for (int n = 0; n < 10000; ++n) block += record;
  std::ofstream out(path, std::ios::binary);
  for (int written = 0; written < count; written += 10000) {
    const int now = std::min(10000, count - written);
    out.write(block.data(), static_cast<std::streamsize>(record.size()) * now);
  }
  return path;
}

struct Run {
  int status = -1;
  double seconds = 0;
  double max_rss_mb = 0;
};

// Runs quindo-records with `args`, standard input from `input` (or
// /dev/null), standard output and error to /dev/null.
Run RunTool(const std::vector<std::string>& args, const std::string& input = "/dev/null") {
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = ::fork();
  if (child == 0) {
    const int in = ::open(input.c_str(), O_RDONLY);
    const int out = ::open("/dev/null", O_WRONLY);
    ::dup2(in, 0);
    ::dup2(out, 1);
    ::dup2(out, 2);
    std::vector<char*> argv{const_cast<char*>(QUINDO_RECORDS_TOOL)};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  Run run;
  struct rusage usage{};
  int status = 0;
  ::wait4(child, &status, 0, &usage);
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.max_rss_mb = usage.ru_maxrss / 1024.0;
  return run;
}

// Reports the mean time of a run and the largest peak memory of any run.
void Report(benchmark::State& state, double seconds, double max_rss_mb, const char* unit, double units) {
  state.counters["ms/run"] = benchmark::Counter(1000 * seconds / state.iterations());
  state.counters["maxrss_MB"] = max_rss_mb;
  if (unit != nullptr) state.counters[unit] = benchmark::Counter(units * state.iterations() / seconds);
}

const std::string& OneAlarmJson() {
  static const std::string path = [] {
    const std::string p = Dir() + "/alarm.json";
    std::ofstream(p) << R"({"EventId": 7, "Conditions": ["a", "b", "c", "d", "e", "f"]})";
    return p;
  }();
  return path;
}

// arg: records in the log before the append (0 is the baseline).
void BM_ToolAppendOneAlarm(benchmark::State& state) {
  const int records = static_cast<int>(state.range(0));
  const std::string log = Dir() + "/append_" + std::to_string(records) + ".dat";
  if (records > 0) CopyDurably(LogOf(records), log);
  double seconds = 0, rss = 0;
  for (auto _ : state) {
    const Run run = RunTool({"alarm", "append", log}, OneAlarmJson());
    if (run.status != 0) state.SkipWithError("alarm append failed");
    seconds += run.seconds;
    rss = std::max(rss, run.max_rss_mb);
  }
  fs::remove(log);
  Report(state, seconds, rss, nullptr, 0);
}
BENCHMARK(BM_ToolAppendOneAlarm)->Arg(0)->Arg(kLargeLog)->Iterations(5)->UseRealTime()->Unit(benchmark::kMillisecond);

// Opens the log for appending, appends one alarm and closes it.
void AppendOne(const std::string& log, const cAlarm& alarm) {
  BinaryFile file;
  file.Open(log, BinaryFile::Mode::kAppend);
  alarm.WriteToDisk(file, 0);
  file.Close();
}

void BM_LibraryAppendOneAlarm(benchmark::State& state) {
  const int records = static_cast<int>(state.range(0));
  const std::string log = Dir() + "/library_" + std::to_string(records) + ".dat";
  if (records > 0) CopyDurably(LogOf(records), log);
  const cAlarm alarm = NumberedAlarm(7);
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) AppendOne(log, alarm);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  fs::remove(log);
  state.counters["us/append"] = 1e6 * seconds / static_cast<double>(state.iterations());
}
BENCHMARK(BM_LibraryAppendOneAlarm)->Arg(0)->Arg(kLargeLog)->Iterations(20)->UseRealTime()->Unit(benchmark::kMicrosecond);

// args: records in the log, and 1 for --jsonl.
void BM_ToolDump(benchmark::State& state) {
  const int records = static_cast<int>(state.range(0));
  std::vector<std::string> args{"alarm", "dump", LogOf(records)};
  if (state.range(1) != 0) args.push_back("--jsonl");
  double seconds = 0, rss = 0;
  for (auto _ : state) {
    const Run run = RunTool(args);
    if (run.status != 0) state.SkipWithError("alarm dump failed");
    seconds += run.seconds;
    rss = std::max(rss, run.max_rss_mb);
  }
  Report(state, seconds, rss, "records/s", records);
}
BENCHMARK(BM_ToolDump)
    ->Args({kSmallLog, 0})->Args({kLargeLog, 0})->Args({kSmallLog, 1})->Args({kLargeLog, 1})
    ->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

// Complete records from the start of the log, and whether a torn one ends it.
std::pair<int, bool> CountRecords(const std::string& log) {
  BinaryFile file;
  file.Open(log, BinaryFile::Mode::kRead);
  int complete = 0;
  cAlarm alarm;
  while (file.Position() < file.Length()) {
    try {
      alarm.ReadFromDisk(file, 0);
    } catch (const Error&) {
      return {complete, true};
    }
    ++complete;
  }
  return {complete, false};
}

// arg: the number of processes sharing 8 000 appends.
void BM_ConcurrentAppenders(benchmark::State& state) {
  const int processes = static_cast<int>(state.range(0));
  const int each = kAppenders * kAppendsEach / processes;
  const std::string log = Dir() + "/concurrent.dat";
  int found = 0, torn = 0;
  for (auto _ : state) {
    fs::remove(log);
    std::vector<pid_t> children;
    for (int p = 0; p < processes; ++p) {
      const pid_t child = ::fork();
      if (child == 0) {
        for (int n = 0; n < each; ++n) AppendOne(log, NumberedAlarm(p * each + n));
        ::_exit(0);
      }
      children.push_back(child);
    }
    for (const pid_t child : children) ::waitpid(child, nullptr, 0);
    const auto [complete, torn_tail] = CountRecords(log);
    found = complete;
    torn = torn_tail ? 1 : 0;
  }
  state.counters["records_found"] = found;
  state.counters["records_written"] = kAppenders * kAppendsEach;
  state.counters["torn_tail"] = torn;
}
BENCHMARK(BM_ConcurrentAppenders)->Arg(1)->Arg(kAppenders)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

// arg: 0 for a valid calendar, 1 for a 512 MB file.
void BM_ToolCalendarShow(benchmark::State& state) {
  const std::string path = Dir() + (state.range(0) != 0 ? "/large.cal" : "/valid.cal");
  {
    std::ofstream out(path, std::ios::binary);
    out << std::string(cCalendar::kFileSize, '\0');
  }
  if (state.range(0) != 0 && ::truncate(path.c_str(), kLargeCalendar) != 0) state.SkipWithError("truncate");
  double seconds = 0, rss = 0;
  for (auto _ : state) {
    const Run run = RunTool({"calendar", "show", path});
    if (run.status != 0) state.SkipWithError("calendar show failed");
    seconds += run.seconds;
    rss = std::max(rss, run.max_rss_mb);
  }
  fs::remove(path);
  Report(state, seconds, rss, nullptr, 0);
}
BENCHMARK(BM_ToolCalendarShow)->Arg(0)->Arg(1)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quindo

BENCHMARK_MAIN();
