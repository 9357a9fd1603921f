// Dragging a period's edge on the week chart: a press, 100 mouse moves that
// each repaint the row, and the release, on a schedule with all 23 day types
// shown and 50 periods each. Prints the time of one move with its repaint
// (target: under 0.5 ms), on the recording surface and, when built with Qt,
// on a 320-pixel QImage as the view paints it. The baseline is a move over
// the labels, which only runs the hit test.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "model/paint/recording_surface.h"
#include "model/schedule/schedule_host.h"
#include "model/schedule/time_schedule.h"

#ifdef QUINDO_BENCH_QIMAGE
#include <QGuiApplication>
#include <QImage>

#include "qt/qpainter_surface.h"
#endif

namespace {

using namespace quindo;

constexpr int kMoves = 100;
constexpr int kPeriodsPerDay = 50;
constexpr int kDraggedRow = 11;

// A host whose fields and menu take every value and show nothing.
class QuietHost : public ScheduleHost {
 public:
  void Set_Text_Schedule_Period_Start(const std::string&) override {}
  void Set_Text_Schedule_Period_Stop(const std::string&) override {}
  std::string Get_Text_Schedule_Period_Start() override { return {}; }
  std::string Get_Text_Schedule_Period_Stop() override { return {}; }
  void Set_Text_Schedule_Time(const std::string&) override {}
  void Set_Menu_TimeSchedulePopup_Grouped_MonFri_Checked(int16_t) override {}
  bool Get_Menu_TimeSchedulePopup_Grouped_MonFri_Checked() override { return false; }
  void Set_Menu_TimeSchedulePopup_Grouped_Checked(int16_t) override {}
  void Set_Menu_TimeSchedulePopup_Paste_Enabled(bool) override {}
  void Set_Menu_TimeSchedulePopup_Delete_Enabled(bool) override {}
  bool Get_Check_TimeSchedule_ViewDayType() override { return false; }
  double Get_ImageList_ImageWidth() override { return 16; }
  double Get_ImageList_ImageHeight() override { return 16; }
  void Draw_ImageList_ListImages(int32_t, int32_t, double, int32_t, std::optional<int16_t>) override {}
  double Get_Picture_TimeSchedule_Frame_ScaleWidth() override { return 340; }
  double Get_Picture_TimeSchedule_Frame_ScaleHeight() override { return 180; }
  double Get_VScroll_Schedule_Width() override { return 20; }
  double Get_VScroll_Schedule_Left() override { return 320; }
  void Set_VScroll_Schedule_Left(double) override {}
  void Set_VScroll_Schedule_Top(int16_t) override {}
  void Set_VScroll_Schedule_Height(double) override {}
  void Set_VScroll_Schedule_Max(int16_t) override {}
  void Set_Picture_TimeSchedule_Left(int16_t) override {}
  void Set_Picture_TimeSchedule_Top(int16_t) override {}
  void Set_Picture_TimeSchedule_Width(double) override {}
  void Set_Picture_TimeSchedule_Height(int32_t) override {}
};

// 50 periods of 10 minutes every 28 minutes on every day type, all shown.
std::string FullScheduleText() {
  cTimeSchedule s;
  s.m_UseCalendar = -1;
  for (int16_t d = 0; d < cTimeSchedule::kDayTypes; ++d) {
    s.SetActive(d, -1);
    for (int k = 0; k < kPeriodsPerDay; ++k) {
      const auto start = static_cast<int16_t>(28 * k);
      s.Periods(d).push_back(std::make_shared<cTimeSchedulePeriod>(
          cTimeSchedulePeriod{start, static_cast<int16_t>(start + 10)}));
    }
  }
  return s.ComposePeriodArray();
}

float RowY() { return 25.0f * kDraggedRow + 10; }

// One drag per iteration on a fresh copy of the schedule (the release merges
// what the drag crossed); only the moves are timed.
void Drag(benchmark::State& state, PaintSurface& surface, float first_x, void (*after_moves)(PaintSurface&)) {
  const std::string text = FullScheduleText();
  QuietHost host;
  PaintSurface* paint = nullptr;
  cTimeSchedule s;
  for (auto _ : state) {
    state.PauseTiming();
    s.ExtractPeriodArray(text);
    s.RecalculateAndPrepareToPaint(host, paint, &surface);
    // 01:00 grabs the start of 00:56-01:06; the moves drag it past its stop.
    s.MouseDown(host, paint, 1, 0, 30 + 60 / 5.0f, RowY());
    state.ResumeTiming();
    for (int i = 0; i < kMoves; ++i) s.MouseMove(host, paint, 1, 0, first_x + static_cast<float>(i), RowY());
    state.PauseTiming();
    after_moves(surface);
    s.MouseUp(host, paint, 1, 0, 0, 0);
    state.ResumeTiming();
  }
  state.counters["per_move"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * kMoves,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert, benchmark::Counter::kIs1000);
}

void ClearRecording(PaintSurface& surface) { static_cast<RecordingSurface&>(surface).Clear(); }

void BM_DragMove_RecordingSurface(benchmark::State& state) {
  RecordingSurface surface;
  Drag(state, surface, 30 + 60 / 5.0f, ClearRecording);
}
BENCHMARK(BM_DragMove_RecordingSurface)->Unit(benchmark::kMillisecond);

void BM_MoveOverLabels_Baseline(benchmark::State& state) {
  RecordingSurface surface;
  Drag(state, surface, -90, ClearRecording);  // x below 30: the hit test stops there
}
BENCHMARK(BM_MoveOverLabels_Baseline)->Unit(benchmark::kMillisecond);

#ifdef QUINDO_BENCH_QIMAGE
void EndPainter(PaintSurface& surface) { static_cast<QPainterSurface&>(surface).End(); }

void BM_DragMove_QImage(benchmark::State& state) {
  QImage image(320, 25 * cTimeSchedule::kDayTypes + 4, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainterSurface surface(&image);
  Drag(state, surface, 30 + 60 / 5.0f, EndPainter);
}
BENCHMARK(BM_DragMove_QImage)->Unit(benchmark::kMillisecond);
#endif

}  // namespace

int main(int argc, char** argv) {
#ifdef QUINDO_BENCH_QIMAGE
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);  // fonts for the labels' text height
#endif
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
