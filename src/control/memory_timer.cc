#include "control/memory_timer.h"

namespace quindo {

bool MemoryTimer::Tick() {
  if (!enabled_) return false;
  if (on_tick_) on_tick_();
  return true;
}

void MemoryTimer::Advance(int32_t count) {
  for (int32_t i = 0; i < count; ++i) Tick();
}

}  // namespace quindo
