#include "control/memory_children.h"

namespace quindo {

void MemoryChildren::Attach(ActiveProfiles& control) {
  socket.SetEvents(MemorySocket::Events{
      [&control] { control.Winsock_Quindo_Connect(); },
      [&control] { control.Winsock_Quindo_Close(); },
      [&control] { control.Winsock_Quindo_Error(); },
      [&control] { control.Winsock_Quindo_DataArrival(); },
  });
  timer.SetTickHandler([&control] { control.Timer_Reconnect_Timer(); });
}

}  // namespace quindo
