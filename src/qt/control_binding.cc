#include "qt/control_binding.h"

#include "control/active_profiles.h"
#include "qt/qt_socket.h"
#include "qt/qt_timer.h"

namespace quindo {

void BindLinkEvents(ActiveProfiles& control, QtSocket& socket, QtTimer& timer,
                    std::function<void()> after_each) {
  ActiveProfiles* target = &control;
  // Each event, then the follow-up (also when the event raised: the guard
  // around it reports the failure).
  const auto then = [after = std::move(after_each)](void (ActiveProfiles::*event)(), ActiveProfiles* on) {
    return [after, event, on] {
      try {
        (on->*event)();
      } catch (...) {
        if (after) after();
        throw;
      }
      if (after) after();
    };
  };
  socket.SetEvents(QtSocket::Events{
      then(&ActiveProfiles::Winsock_Quindo_Connect, target),
      then(&ActiveProfiles::Winsock_Quindo_Close, target),
      then(&ActiveProfiles::Winsock_Quindo_Error, target),
      then(&ActiveProfiles::Winsock_Quindo_DataArrival, target),
  });
  timer.SetTick(then(&ActiveProfiles::Timer_Reconnect_Timer, target));
}

void UnbindLinkEvents(QtSocket& socket, QtTimer& timer) {
  socket.SetEvents({});
  timer.SetTick({});
}

}  // namespace quindo
