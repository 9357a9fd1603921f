#pragma once
// Wires the Qt socket and timer to the control's link handlers, the same way
// for the widget and for headless hosts.

namespace quindo {

class ActiveProfiles;
class QtSocket;
class QtTimer;

// The socket's events and the timer's tick go to the control from now on.
void BindLinkEvents(ActiveProfiles& control, QtSocket& socket, QtTimer& timer);
// Nothing reaches the control any more; call before destroying it.
void UnbindLinkEvents(QtSocket& socket, QtTimer& timer);

}  // namespace quindo
