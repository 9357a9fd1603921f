// Feeds arbitrary bytes to ExtractPeriodArray. A text that is accepted must
// compose to a text that reads back to itself; a refused text must leave the
// schedule exactly as it was.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/error.h"
#include "model/schedule/time_schedule.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using quindo::cTimeSchedule;
  const std::string text(reinterpret_cast<const char*>(data), size);
  cTimeSchedule schedule;
  schedule.SetDefaultPeriod();
  static const std::string before = schedule.ComposePeriodArray();  // the same for every input
  try {
    schedule.ExtractPeriodArray(text);
  } catch (const quindo::Error& e) {
    Check(e.Number() == quindo::kInvalidProcedureCall);
    Check(schedule.ComposePeriodArray() == before);
    return 0;
  }
  const std::string composed = schedule.ComposePeriodArray();
  size_t periods = 0;
  for (int16_t d = 0; d < cTimeSchedule::kDayTypes; ++d) {
    periods += schedule.Periods(d).size();
    // Iteration by identity visits every period of an active day type once.
    size_t visited = 0;
    int16_t start = 0, stop = 0;
    for (auto p = schedule.GetNextTimePeriod(d, start, stop); p; p = schedule.GetNextTimePeriod(d, start, stop, p)) {
      Check(start == p->m_StartMinute && stop == p->m_StopMinute);
      ++visited;
    }
    Check(visited == (schedule.GetActive(d) != 0 ? schedule.Periods(d).size() : 0));
  }
  Check(composed.size() == 186 + 4 * periods && composed.size() <= text.size());
  cTimeSchedule again;
  again.ExtractPeriodArray(composed);
  Check(again.ComposePeriodArray() == composed);
  return 0;
}
