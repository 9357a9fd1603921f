// Runs random sequences of editing commands and mouse events on a random
// valid schedule. Whatever the sequence, nothing crashes, only the errors the
// commands document come back (9 for Group or a release with no day
// selected, 6 for a typed time beyond counting), every period stays within
// the day with its start not after its stop, and the period array text reads
// back to itself.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "../../tests/model/schedule/schedule_test_host.h"
#include "common/error.h"
#include "model/paint/recording_surface.h"
#include "model/schedule/time_schedule.h"

namespace {

using quindo::cTimeSchedule;

void Check(bool condition) {
  if (!condition) std::abort();
}

void CheckValid(const cTimeSchedule& s) {
  for (int16_t d = 0; d < cTimeSchedule::kDayTypes; ++d) {
    for (const quindo::PeriodRef& p : s.Periods(d)) {
      Check(0 <= p->m_StartMinute && p->m_StartMinute <= p->m_StopMinute && p->m_StopMinute <= 1440);
    }
  }
}

void RandomSchedule(FuzzedDataProvider& in, cTimeSchedule& s) {
  s.m_UseCalendar = in.ConsumeBool() ? -1 : 0;
  for (int16_t d = 0; d < cTimeSchedule::kDayTypes; ++d) {
    s.SetActive(d, in.ConsumeBool());
    s.SetGrouped(d, in.ConsumeBool());
    for (int n = in.ConsumeIntegralInRange(0, 4); n > 0; --n) {
      const auto a = in.ConsumeIntegralInRange<int16_t>(0, 1440);
      const auto b = in.ConsumeIntegralInRange<int16_t>(0, 1440);
      s.Periods(d).push_back(std::make_shared<quindo::cTimeSchedulePeriod>(
          quindo::cTimeSchedulePeriod{std::min(a, b), std::max(a, b)}));
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  cTimeSchedule s;
  RandomSchedule(in, s);
  quindo::ScheduleTestHost host;
  quindo::RecordingSurface surface;
  quindo::PaintSurface* paint = nullptr;
  s.RecalculateAndPrepareToPaint(host, paint, &surface);
  CheckValid(s);

  for (int steps = 0; steps < 64 && in.remaining_bytes() > 0; ++steps) {
    // Points a little beyond the chart on every side.
    const float x = in.ConsumeFloatingPointInRange<float>(-10, 340);
    const float y = in.ConsumeFloatingPointInRange<float>(-10, 25.0f * s.m_NumberOfAxisToPaint + 10);
    const auto button = in.ConsumeIntegralInRange<int16_t>(0, 4);
    try {
      switch (in.ConsumeIntegralInRange(0, 14)) {
        case 0: s.MouseDown(host, paint, button, 0, x, y); break;
        case 1:
        case 2: s.MouseMove(host, paint, button, 0, x, y); break;
        case 3: s.MouseUp(host, paint, button, 0, x, y); break;
        case 4:
          host.period_start_text = in.ConsumeRandomLengthString(12);
          host.period_stop_text = in.ConsumeRandomLengthString(12);
          s.ExtractTimeFromTextboxes(host, paint);
          break;
        case 5: s.Delete(host, paint); break;
        case 6: s.SetTimeFrom00to24(host, paint); break;
        case 7: s.InvertTimeSchedule(host, paint); break;
        case 8: s.Group(host, paint); break;
        case 9:
          host.grouped_mon_fri_checked = in.ConsumeBool();
          s.GroupMonFri(host, paint);
          break;
        case 10: s.Copy(); break;
        case 11: s.Paste(host, paint); break;
        case 12: s.Paint(host, paint); break;
        case 13:
          s.SetActive(in.ConsumeIntegralInRange<int16_t>(0, 22), in.ConsumeBool());
          s.m_UseCalendar = in.ConsumeBool() ? -1 : 0;
          s.RecalculateAndPrepareToPaint(host, paint, &surface);
          break;
        case 14: s.ExtractPeriodArray(s.ComposePeriodArray()); break;
      }
    } catch (const quindo::Error& e) {
      Check(e.Number() == quindo::kSubscriptOutOfRange || e.Number() == quindo::kOverflow);
    }
    CheckValid(s);
    host.images.clear();  // the only record that grows with every paint
    surface.Clear();
  }

  const std::string composed = s.ComposePeriodArray();
  cTimeSchedule again;
  again.ExtractPeriodArray(composed);
  Check(again.ComposePeriodArray() == composed);
  return 0;
}
