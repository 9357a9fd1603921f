#include "model/schedule/period_cover.h"

#include <algorithm>

#include "model/schedule/time_text.h"

namespace quindo {

std::optional<MinuteSpan> CoveredSpan(const cTimeSchedulePeriod& period) {
  const int32_t start = std::max<int32_t>(period.m_StartMinute, 0);
  const int32_t stop = std::min<int32_t>(period.m_StopMinute, kMinutesPerDay);
  if (start >= stop) return std::nullopt;
  return MinuteSpan{start, stop};
}

bool IsPlainPeriod(const cTimeSchedulePeriod& period) {
  return period.m_StartMinute >= 0 && period.m_StartMinute < period.m_StopMinute &&
         period.m_StopMinute <= kMinutesPerDay;
}

}  // namespace quindo
