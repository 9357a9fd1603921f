// Figures of the week chart on a QImage: a full repaint (clear and Paint) of
// a schedule with all 23 day types active and 50 periods each, against
// clearing the picture alone, and a drag of 100 mouse moves with their row
// repaints. The targets: a full repaint under 2 ms (over 500 frames/s), a
// mouse move with its repaint under 0.5 ms (over 2 000 moves/s).

#include <benchmark/benchmark.h>

#include <cstdlib>

#include <QGuiApplication>
#include <QImage>

#include "model/schedule/time_schedule.h"
#include "qt/schedule_image.h"

namespace quindo {
namespace {

constexpr int kPeriodsPerDayType = 50;

// Every day type active, 50 short periods spread over the day.
cTimeSchedule BusySchedule() {
  cTimeSchedule s;
  s.m_UseCalendar = -1;
  for (int16_t d = 0; d < cTimeSchedule::kDayTypes; ++d) {
    s.SetActive(d, 1);
    s.SetGrouped(d, d % 2);
    for (int i = 0; i < kPeriodsPerDayType; ++i) {
      const auto start = static_cast<int16_t>(i * 28 + d % 5);
      s.Periods(d).push_back(
          std::make_shared<cTimeSchedulePeriod>(cTimeSchedulePeriod{start, static_cast<int16_t>(start + 14)}));
    }
  }
  return s;
}

void BM_FullRepaintOnImage(benchmark::State& state) {
  cTimeSchedule s = BusySchedule();
  ScheduleImageRenderer renderer;
  renderer.Render(s);
  for (auto _ : state) benchmark::DoNotOptimize(renderer.Repaint(s).constBits());
  state.counters["frames/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_FullRepaintOnImage)->Unit(benchmark::kMillisecond);

// A drag on the image: a press on Monday's row away from the periods, then
// 100 moves that draw and stretch a new period (each repaints the row), then
// the release (merge and repaint). Prints mouse moves per second.
constexpr int kMoves = 100;
void BM_DragOnImage(benchmark::State& state) {
  cTimeSchedule s = BusySchedule();
  ScheduleImageRenderer renderer;
  renderer.Render(s);
  const float y = 10;
  for (auto _ : state) {
    state.PauseTiming();
    cTimeSchedule fresh = BusySchedule();
    renderer.Render(fresh);
    state.ResumeTiming();
    fresh.MouseDown(renderer.Host(), renderer.Surface(), 1, 0, 30.5f, y);
    for (int i = 1; i <= kMoves; ++i) {
      fresh.MouseMove(renderer.Host(), renderer.Surface(), 1, 0, 30.5f + 2.8f * i, y);
    }
    fresh.MouseUp(renderer.Host(), renderer.Surface(), 1, 0, 30.5f + 2.8f * kMoves, y);
    renderer.EndPainting();
  }
  state.counters["moves/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * kMoves, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_DragOnImage)->Unit(benchmark::kMillisecond);

// Baseline: clearing a picture of the same size, the part of a repaint that
// is not the painting code.
void BM_ClearOnly(benchmark::State& state) {
  QImage image(320, 25 * cTimeSchedule::kDayTypes + 4, QImage::Format_RGB32);
  for (auto _ : state) {
    image.fill(Qt::white);
    benchmark::DoNotOptimize(image.constBits());
  }
  state.counters["frames/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ClearOnly)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quindo

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
