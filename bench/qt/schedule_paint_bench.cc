// Figures of the week chart on a QImage: a full repaint (clear and Paint) of
// a schedule with all 23 day types active and 50 periods each, against
// clearing the picture alone. Each prints frames per second; the target is
// a full repaint under 2 ms (over 500 frames/s). The drag figure is
// schedule_drag_bench.

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
      s.Periods(d).push_back(std::make_shared<cTimeSchedulePeriod>(
          cTimeSchedulePeriod{start, static_cast<int16_t>(start + 14)}));
    }
  }
  return s;
}

void BM_FullRepaintOnImage(benchmark::State& state) {
  cTimeSchedule s = BusySchedule();
  ScheduleImageRenderer renderer;
  renderer.Render(s);
  for (auto _ : state) benchmark::DoNotOptimize(renderer.Repaint(s).constBits());
  state.counters["frames/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_FullRepaintOnImage)->Unit(benchmark::kMillisecond);

// Baseline: clearing a picture of the same size, the part of a repaint that
// is not the painting code.
void BM_ClearOnly(benchmark::State& state) {
  QImage image(320, 25 * cTimeSchedule::kDayTypes + 4, QImage::Format_RGB32);
  for (auto _ : state) {
    image.fill(Qt::white);
    benchmark::DoNotOptimize(image.constBits());
  }
  state.counters["frames/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
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
