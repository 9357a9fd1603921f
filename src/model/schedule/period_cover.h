#pragma once
// What a stored period means, in one place for everything that reads a
// schedule (the schedule answers, the week chart, the editor's checks).
// Files may hold any 16-bit start and stop (older tools wrote odd ones, and
// the record classes store exactly what they are given), so the meaning of
// the odd ones is fixed here rather than refused:
//
//   a period covers the minutes m of the day with start <= m < stop, and
//   only those within 00:00-24:00.
//
// So a period whose start is at or after its stop covers nothing (it is not
// read backwards or across midnight), and a period reaching outside the day
// covers only its part inside it: [-5, 30] covers 00:00-00:30, [2000, 3000]
// nothing.

#include <cstdint>
#include <optional>

#include "common/export.h"
#include "model/schedule/time_schedule_period.h"

namespace quindo {

// Minutes [start, stop) of one day, 0 <= start < stop <= 1440.
struct QUINDO_EXPORT MinuteSpan {
  int32_t start = 0;
  int32_t stop = 0;
  friend bool operator==(const MinuteSpan&, const MinuteSpan&) = default;
};

// The minutes a stored period covers; none when it covers no minute.
QUINDO_EXPORT std::optional<MinuteSpan> CoveredSpan(const cTimeSchedulePeriod& period);

// True when the period is stored as the editing operations make them:
// 0 <= start < stop <= 1440. Any other period is odd: it means what
// CoveredSpan says, which may not be what its writer meant.
QUINDO_EXPORT bool IsPlainPeriod(const cTimeSchedulePeriod& period);

}  // namespace quindo
