// Figures of the calendar file and the alarm record: calendar saves and loads
// per second (the load against a bare read of the same 29,220 bytes), and
// alarm records written and read per second, 10,000 records with texts in
// one open file.

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "common/binary_file.h"
#include "model/alarm/alarm.h"
#include "model/calendar/calendar.h"
#include "../scratch_directory.h"

namespace quindo {
namespace {

constexpr int kAlarms = 10000;

const std::string& Dir() {
  static bench::ScratchDirectory dir("/tmp/calendar_alarm_bench");
  return dir.path;
}

// A calendar with a typical year of holidays set in every year.
cCalendar TypicalCalendar() {
  cCalendar calendar;
  for (int32_t day = 0; day < cCalendar::kDays; day += 30) calendar.SetDayType(day, 8);
  return calendar;
}

const std::string& SavedCalendar() {
  static const std::string path = [] {
    const std::string p = Dir() + "/typical.cal";
    TypicalCalendar().SaveToDisk(p);
    return p;
  }();
  return path;
}

void BM_CalendarSave(benchmark::State& state) {
  const cCalendar calendar = TypicalCalendar();
  const std::string path = Dir() + "/saved.cal";
  for (auto _ : state) calendar.SaveToDisk(path);
  state.counters["saves/s"] = benchmark::Counter(state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CalendarSave)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_CalendarLoad(benchmark::State& state) {
  const std::string& path = SavedCalendar();
  cCalendar calendar;
  for (auto _ : state) {
    if (calendar.ReadFromDisk(path) == 0) state.SkipWithError("load failed");
  }
  state.counters["loads/s"] = benchmark::Counter(state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CalendarLoad)->Unit(benchmark::kMicrosecond)->UseRealTime();

// Baseline: open, read 29,220 bytes and close, with nothing else.
void BM_ReadCalendarBytesOnly(benchmark::State& state) {
  const std::string& path = SavedCalendar();
  std::string bytes(cCalendar::kFileSize, '\0');
  for (auto _ : state) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || ::read(fd, bytes.data(), bytes.size()) != cCalendar::kFileSize) state.SkipWithError("read failed");
    ::close(fd);
    benchmark::DoNotOptimize(bytes);
  }
  state.counters["loads/s"] = benchmark::Counter(state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ReadCalendarBytesOnly)->Unit(benchmark::kMicrosecond)->UseRealTime();

// An alarm with receivers, sequence and conditions filled, as forwarded.
cAlarm TypicalAlarm(int n) {
  cAlarm alarm;
  alarm.m_EventId = n;
  alarm.m_TimeStampFromSCADA = 45000.0 + n / 86400.0;
  alarm.m_Status = 1;
  alarm.SetCondition(0, TypedValue::Text("Hall " + std::to_string(n % 40)));
  alarm.SetCondition(1, TypedValue::Text("Priority 3"));
  alarm.m_SequenceReceivers = "Operator;Pager 2;Duty phone";
  alarm.m_SequenceReceiverConfirm = "Pager 2";
  alarm.m_SequenceNumbers = 3;
  alarm.m_ParallellReceivers = "Control room";
  alarm.m_ParallellNumbers = 1;
  return alarm;
}

void BM_AlarmWrite(benchmark::State& state) {
  std::vector<cAlarm> alarms;
  for (int n = 0; n < kAlarms; ++n) alarms.push_back(TypicalAlarm(n));
  const std::string path = Dir() + "/written.dat";
  for (auto _ : state) {
    BinaryFile file;
    file.Open(path, BinaryFile::Mode::kCreate);
    for (const cAlarm& alarm : alarms) alarm.WriteToDisk(file, 0);
    file.Close();
  }
  state.counters["records/s"] = benchmark::Counter(state.iterations() * kAlarms, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_AlarmWrite)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_AlarmRead(benchmark::State& state) {
  const std::string path = Dir() + "/read.dat";
  {
    BinaryFile file;
    file.Open(path, BinaryFile::Mode::kCreate);
    for (int n = 0; n < kAlarms; ++n) TypicalAlarm(n).WriteToDisk(file, 0);
    file.Close();
  }
  cAlarm alarm;
  for (auto _ : state) {
    BinaryFile file;
    file.Open(path, BinaryFile::Mode::kRead);
    for (int n = 0; n < kAlarms; ++n) alarm.ReadFromDisk(file, 0);
    file.Close();
  }
  state.counters["records/s"] = benchmark::Counter(state.iterations() * kAlarms, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_AlarmRead)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace quindo

BENCHMARK_MAIN();
