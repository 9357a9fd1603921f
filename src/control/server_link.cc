// The link to the server: the supervisor on the timer tick, the one way out
// (SendMessageToServer) and the socket's events.

#include <algorithm>

#include "control/active_profiles.h"
#include "protocol/frame.h"

namespace quindo {
namespace {

// Adds without leaving the 32-bit range, whatever interval the timer reports
// (b is 64-bit so that the negated interval of INT32_MIN still fits).
int32_t SaturatingAdd(int32_t a, int64_t b) {
  return static_cast<int32_t>(std::clamp<int64_t>(int64_t{a} + b, INT32_MIN, INT32_MAX));
}

bool IsUsablePort(int32_t port) { return port > 0 && port < 65536; }

// "host:port", with an IPv6 address in brackets so that the port stands apart.
std::string TargetText(const std::string& address, int32_t port) {
  const bool ipv6 = address.find(':') != std::string::npos;
  return (ipv6 ? "[" + address + "]" : address) + ":" + std::to_string(port);
}

}  // namespace

int32_t ActiveProfiles::IsConnectedToServer() const {
  return socket_.State() == Socket::kStateConnected ? 1 : 0;
}

void ActiveProfiles::Timer_Reconnect_Timer() {
  const int32_t interval = timer_.Interval();
  AgePendingRequests(interval);
  if (socket_.State() == Socket::kStateConnected) {
    KeepAliveTime = SaturatingAdd(KeepAliveTime, interval);
    if (KeepAliveTime >= kKeepAliveThreshold) {
      // Counting restarts with every keep-alive, so one goes out per
      // threshold of connected time rather than on every tick.
      KeepAliveTime = 0;
      if (!SendMessageToServer(kKeepAlive, {})) socket_.Close();
    }
    // Held while the link is up, so that the first attempt after a drop
    // comes one full delay later.
    ReconnectDelay = kReconnectDelay;
    return;
  }
  if (ReconnectDelay > 0) ReconnectDelay = SaturatingAdd(ReconnectDelay, -int64_t{interval});
  if (ReconnectDelay <= 0 && !m_ServerAddress.empty() && IsUsablePort(m_ServerPort)) {
    // Also abandons an attempt that has not connected within the delay.
    if (Socket::IsConnecting(socket_.State())) {
      NoteLinkFailure("No connection within " + std::to_string(kReconnectDelay / 1000) + " s");
    }
    socket_.Close();
    attempt_target_ = TargetText(m_ServerAddress, m_ServerPort);
    socket_.Connect(m_ServerAddress, m_ServerPort);
    ReconnectDelay = kReconnectDelay;
  }
}

bool ActiveProfiles::SendMessageToServer(int16_t message_type, std::string_view body) {
  // Built before the state test: an unencodable frame is the caller's error
  // even while the link is down.
  const std::string frame = ComposeFrame(message_type, body);
  if (socket_.State() != Socket::kStateConnected) return false;
  try {
    socket_.SendData(frame);
    return true;
  } catch (const std::exception& e) {
    NoteLinkFailure("Sending failed", &e);
  } catch (...) {
    NoteLinkFailure("Sending failed");
  }
  // A failed send leaves the link in doubt: drop it and let the supervisor
  // reconnect. Our own close brings no closed event, so the view stays.
  try {
    socket_.Close();
  } catch (...) {
  }
  return false;
}

void ActiveProfiles::Winsock_Quindo_Connect() {
  tree_.Clear();
  tree_.SetVisible(true);
  label_.SetVisible(false);
  m_ReceiveBuffer.Clear();
  KeepAliveTime = 0;
  link_failure_.clear();
  ForgetPendingRequests();
}

void ActiveProfiles::Winsock_Quindo_Close() {
  NoteLinkFailure("The server closed the connection");
  ShowDisconnectedView();
}

void ActiveProfiles::Winsock_Quindo_Error() {
  const std::string text = socket_.ErrorText();
  NoteLinkFailure(text.empty() ? "The connection failed" : text);
  ShowDisconnectedView();
}

void ActiveProfiles::ShowDisconnectedView() {
  socket_.Close();
  tree_.Clear();
  tree_.SetVisible(false);
  label_.SetVisible(true);
  ForgetPendingRequests();
}

void ActiveProfiles::ReconnectNow() {
  // The old server's profiles must not stay on show as if they were the new
  // one's; the new server's report rebuilds the tree.
  link_failure_.clear();
  attempt_target_.clear();
  ShowDisconnectedView();
  ReconnectDelay = 0;
}

}  // namespace quindo
