#pragma once
// Timer_Reconnect on a QTimer. The control reads Interval() on every tick and
// counts that many milliseconds of link time, so the ticks may come faster
// than the interval says: SetTickPeriod lets tests play ten seconds of the
// control's time in a fraction of a second without touching the control.

#include <cstdint>
#include <functional>

#include <QObject>
#include <QTimer>

#include "common/export.h"
#include "control/child_controls.h"

namespace quindo {

class QUINDO_EXPORT QtTimer : public QObject, public Timer {
  Q_OBJECT

 public:
  // Starts enabled, as the control's timer is from creation.
  explicit QtTimer(int32_t interval_ms, QObject* parent = nullptr);

  // The tick runs guarded: an exception goes to ReportError.
  void SetTick(std::function<void()> tick);

  int32_t Interval() const override { return interval_; }
  // A negative interval raises error 5; 0 stops the ticks, as a timer with
  // no interval never fires.
  void SetInterval(int32_t milliseconds) override;
  void SetEnabled(bool enabled) override;
  bool IsEnabled() const override { return enabled_; }

  // Real milliseconds between ticks; 0 (the default) follows Interval().
  void SetTickPeriod(int32_t real_milliseconds);

 private:
  void Apply();

  QTimer timer_;
  std::function<void()> tick_;
  int32_t interval_;
  int32_t tick_period_ = 0;
  bool enabled_ = true;
};

}  // namespace quindo
