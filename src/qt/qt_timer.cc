#include "qt/qt_timer.h"

#include "common/error.h"
#include "qt/guarded_call.h"

namespace quindo {

QtTimer::QtTimer(int32_t interval_ms, QObject* parent) : QObject(parent), interval_(0) {
  connect(&timer_, &QTimer::timeout, this, [this] { CallGuarded("Timer_Reconnect_Timer", tick_); });
  SetInterval(interval_ms);
}

void QtTimer::SetTick(std::function<void()> tick) { tick_ = std::move(tick); }

void QtTimer::SetInterval(int32_t milliseconds) {
  if (milliseconds < 0) throw Error(kInvalidProcedureCall);
  interval_ = milliseconds;
  Apply();
}

void QtTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;  // enabling a running timer keeps its count
  enabled_ = enabled;
  Apply();
}

void QtTimer::SetTickPeriod(int32_t real_milliseconds) {
  tick_period_ = real_milliseconds > 0 ? real_milliseconds : 0;
  Apply();
}

void QtTimer::Apply() {
  const int32_t period = tick_period_ > 0 ? tick_period_ : interval_;
  if (enabled_ && interval_ > 0) {
    timer_.start(period);  // restarts the count, like a changed interval
  } else {
    timer_.stop();
  }
}

}  // namespace quindo
