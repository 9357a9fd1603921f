// Figures of the month view: a month with time bars (10 periods for every
// day type) painted onto a 320 x 180 QImage, against the same painting on
// the recording surface (the painting code alone), in the same run.
// Target: under 2 ms a month.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>

#include "common/settings.h"
#include "model/calendar/calendar.h"
#include "model/calendar/calendar_host.h"
#include "model/calendar/calendar_locale.h"
#include "model/calendar/day_number.h"
#include "model/paint/recording_surface.h"
#include "model/schedule/time_schedule.h"
#include "qt/calendar_image.h"

namespace quindo {
namespace {

constexpr int kPeriodsPerDayType = 10;
const double kToday = DayNumberFromCivil(2024, 3, 15) + kSerialOfDayZero;

// March 2024 with every kind of date box: weekdays, short names, images.
std::shared_ptr<cCalendar> BusyCalendar() {
  auto schedule = std::make_shared<cTimeSchedule>();
  for (int16_t d = 0; d < cTimeSchedule::kDayTypes; ++d) {
    schedule->SetActive(d, -1);
    for (int k = 0; k < kPeriodsPerDayType; ++k) {
      const auto start = static_cast<int16_t>(k * 144 + d);
      schedule->Periods(d).push_back(
          std::make_shared<cTimeSchedulePeriod>(cTimeSchedulePeriod{start, static_cast<int16_t>(start + 60)}));
    }
  }
  auto calendar = std::make_shared<cCalendar>();
  calendar->m_AssociatedTimeSchedule = schedule;
  calendar->m_ShowTimeAxis = -1;
  calendar->m_SelectedYear = 2024;
  calendar->m_SelectedMonth = 3;
  const int32_t first = DayNumberFromCivil(2024, 3, 1);
  for (int i = 0; i < 31; ++i) calendar->SetDayType(first + i, static_cast<int16_t>(i % 24));
  for (auto& name : DayTypeShortNames()) name = "Mo";
  return calendar;
}

class NoHost : public CalendarHost {
 public:
  std::optional<std::string> Get_Combo_Calendar_DayType_SelectedItem() override { return std::nullopt; }
  double Get_Combo_Calendar_DayType_SelectedItem_Index() override { return 0; }
  std::string Get_Combo_Calendar_DayType_ComboItems(int16_t) override { return {}; }
  void Set_Text_Calendar_Month(const std::string&) override {}
  void Draw_ImageList_ListImages(int32_t, int32_t, double, int32_t, std::optional<int16_t>) override {}
};

void BM_MonthOntoQImage(benchmark::State& state) {
  const auto calendar = BusyCalendar();
  const CalendarLocale locale = CalendarLocale::Iso8601();
  for (auto _ : state) {
    QImage image = RenderCalendarMonth(*calendar, locale, kToday);
    benchmark::DoNotOptimize(image.constBits());
  }
  state.counters["paints_per_second"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                           benchmark::Counter::kIsRate);
}
BENCHMARK(BM_MonthOntoQImage)->Unit(benchmark::kMillisecond);

void BM_MonthOntoRecordingSurface(benchmark::State& state) {
  const auto calendar = BusyCalendar();
  const CalendarLocale locale = CalendarLocale::Iso8601();
  NoHost host;
  for (auto _ : state) {
    RecordingSurface surface;
    calendar->RecalculateAndPrepareToPaint(kToday);
    calendar->Paint(host, &surface, locale);
    benchmark::DoNotOptimize(surface.Ops().size());
  }
  state.counters["paints_per_second"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                           benchmark::Counter::kIsRate);
}
BENCHMARK(BM_MonthOntoRecordingSurface)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quindo

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);  // text on images needs it
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
