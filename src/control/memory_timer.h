#pragma once
// A timer kept in memory: nothing ticks until Tick() is called, so tests and
// simulations step time by hand without sleeping.

#include <cstdint>
#include <functional>

#include "common/export.h"
#include "control/child_controls.h"

namespace quindo {

class QUINDO_EXPORT MemoryTimer : public Timer {
 public:
  int32_t Interval() const override { return interval_; }
  void SetInterval(int32_t milliseconds) override { interval_ = milliseconds; }
  void SetEnabled(bool enabled) override { enabled_ = enabled; }
  bool IsEnabled() const override { return enabled_; }

  void SetTickHandler(std::function<void()> handler) { on_tick_ = std::move(handler); }
  // One tick, delivered when the timer is enabled; returns whether it was.
  bool Tick();
  // `count` ticks.
  void Advance(int32_t count);

 private:
  int32_t interval_ = 0;
  bool enabled_ = false;
  std::function<void()> on_tick_;
};

}  // namespace quindo
