#include "qt/control_binding.h"

#include "control/active_profiles.h"
#include "qt/qt_socket.h"
#include "qt/qt_timer.h"

namespace quindo {

void BindLinkEvents(ActiveProfiles& control, QtSocket& socket, QtTimer& timer) {
  ActiveProfiles* target = &control;
  socket.SetEvents(QtSocket::Events{
      [target] { target->Winsock_Quindo_Connect(); },
      [target] { target->Winsock_Quindo_Close(); },
      [target] { target->Winsock_Quindo_Error(); },
      [target] { target->Winsock_Quindo_DataArrival(); },
  });
  timer.SetTick([target] { target->Timer_Reconnect_Timer(); });
}

void UnbindLinkEvents(QtSocket& socket, QtTimer& timer) {
  socket.SetEvents({});
  timer.SetTick({});
}

}  // namespace quindo
