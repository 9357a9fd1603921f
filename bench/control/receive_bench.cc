// Figures of the receive path: raw frame cutting in 64 KiB arrivals, and a
// full profile sync through the control against decoding the same bodies
// alone, measured in the same run.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "control/memory_children.h"
#include "model/profile/profile.h"
#include "protocol/field_codec.h"
#include "protocol/frame.h"
#include "protocol/profile_message.h"

namespace quindo {
namespace {

constexpr size_t kArrivalSize = 64 * 1024;
constexpr int kSyncProfiles = 9991;

// CPU time of this thread: the machine is shared, and other processes'
// load should not make the figures.
double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double SecondsOf(const std::function<void()>& run) {
  const double start = ThreadSeconds();
  run();
  return ThreadSeconds() - start;
}

// `bytes` of ignored frames (type 5, 3-byte body) after one 11-byte frame,
// so that every 64 KiB arrival ends inside a frame.
std::vector<std::string> IgnoredArrivals(size_t bytes) {
  std::string stream = ComposeFrame(5, "123456");
  while (stream.size() < bytes) stream += ComposeFrame(5, "abc");
  std::vector<std::string> arrivals;
  for (size_t at = 0; at < stream.size(); at += kArrivalSize) arrivals.push_back(stream.substr(at, kArrivalSize));
  return arrivals;
}

double ReceiveAll(const std::vector<std::string>& arrivals) {
  MemoryActiveProfiles rig;
  rig.children.socket.Accept();
  return SecondsOf([&] {
    for (const std::string& arrival : arrivals) rig.children.socket.Receive(arrival);
  });
}

void BM_IgnoredFrames(benchmark::State& state) {
  const size_t base = static_cast<size_t>(state.range(0)) << 20;
  const auto small = IgnoredArrivals(base);
  const auto large = IgnoredArrivals(10 * base);
  // The best of the iterations, so that a stray pause does not make the
  // ratio.
  double small_seconds = 1e9;
  double large_seconds = 1e9;
  for (auto _ : state) {
    small_seconds = std::min(small_seconds, ReceiveAll(small));
    const double large_run = ReceiveAll(large);
    large_seconds = std::min(large_seconds, large_run);
    state.SetIterationTime(large_run);
  }
  state.counters["MB_per_s"] = 10.0 * static_cast<double>(base) / 1e6 / large_seconds;
  state.counters["time_10x_over_1x"] = large_seconds / small_seconds;
}
BENCHMARK(BM_IgnoredFrames)->Arg(1)->Arg(4)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

std::string SyncName(int i) {
  std::string name = "Profile number " + std::to_string(i);
  name.resize(20, '.');
  return name;
}

struct Sync {
  std::vector<std::string> bodies;
  std::string arrival;
};

Sync MakeSync() {
  Sync sync;
  for (int i = 1; i <= kSyncProfiles; ++i) {
    cProfile profile;
    profile.m_DiskIdentity = static_cast<int16_t>(i);
    profile.SetName(SyncName(i));
    profile.m_TimeSchedule = std::make_shared<cTimeSchedule>();
    for (int p = 0; p < 10; ++p) {
      auto period = std::make_shared<cTimeSchedulePeriod>();
      period->m_StartMinute = static_cast<int16_t>(p * 100);
      period->m_StopMinute = static_cast<int16_t>(p * 100 + 60);
      profile.m_TimeSchedule->Periods(static_cast<int16_t>(p % 7)).push_back(period);
    }
    sync.bodies.push_back(ComposeProfileMessage(profile));
    sync.arrival += ComposeFrame(kProfileUpdate, sync.bodies.back());
  }
  return sync;
}

void BM_FullSync(benchmark::State& state) {
  const Sync sync = MakeSync();
  double decode = 1e9;
  double first = 1e9;
  double second = 1e9;
  for (auto _ : state) {
    decode = std::min(decode, SecondsOf([&] {
      for (const std::string& body : sync.bodies) {
        cProfile profile;
        int32_t cursor = 0;
        ExtractProfile(profile, body, cursor);
        benchmark::DoNotOptimize(profile.m_DiskIdentity);
      }
    }));
    MemoryActiveProfiles rig;
    rig.children.socket.Accept();
    const double first_run = SecondsOf([&] { rig.children.socket.Receive(sync.arrival); });
    // Every node exists now: each report moves its node to the end.
    second = std::min(second, SecondsOf([&] { rig.children.socket.Receive(sync.arrival); }));
    first = std::min(first, first_run);
    if (rig.children.tree.Count() != kSyncProfiles) state.SkipWithError("profiles lost");
    state.SetIterationTime(first_run);
  }
  state.counters["decode_ms"] = decode * 1e3;
  state.counters["control_ms"] = first * 1e3;
  state.counters["resync_ms"] = second * 1e3;
  state.counters["control_over_decode"] = first / decode;
  state.counters["resync_over_first"] = second / first;
}
BENCHMARK(BM_FullSync)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quindo

BENCHMARK_MAIN();
