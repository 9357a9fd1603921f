#pragma once
// One period of a day: minutes after midnight, from its start up to, not
// including, its stop. Periods are shared by reference between a schedule's
// lists, the editing state and callers iterating with GetNextTimePeriod.

#include <cstdint>
#include <memory>
#include "common/export.h"

namespace quindo {

struct QUINDO_EXPORT cTimeSchedulePeriod {
  int16_t m_StartMinute = 0;
  int16_t m_StopMinute = 0;
};

using PeriodRef = std::shared_ptr<cTimeSchedulePeriod>;

}  // namespace quindo
