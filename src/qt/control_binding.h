#pragma once
// Wires the Qt socket and timer to the control's link handlers, the same way
// for the widget and for headless hosts.

#include <functional>

namespace quindo {

class ActiveProfiles;
class QtSocket;
class QtTimer;

// The socket's events and the timer's tick go to the control from now on;
// `after_each`, when set, runs after each of them (to show what changed).
void BindLinkEvents(ActiveProfiles& control, QtSocket& socket, QtTimer& timer,
                    std::function<void()> after_each = {});
// Nothing reaches the control any more; call before destroying it.
void UnbindLinkEvents(QtSocket& socket, QtTimer& timer);

}  // namespace quindo
