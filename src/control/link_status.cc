// Why the link is down and when the control tries again. The label only says
// "Not connected"; a refused connection, a name that does not resolve, a port
// out of range and a server that went away need different answers from the
// operator, so the control keeps the reason of the last failure and reads
// the time to the next attempt from the supervisor's own counter.

#include <algorithm>
#include <cctype>

#include "common/error.h"
#include "control/active_profiles.h"

namespace quindo {
namespace {

std::string Capitalised(std::string text) {
  if (!text.empty()) text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
  return text;
}

}  // namespace

void ActiveProfiles::NoteLinkFailure(const std::string& what, const std::exception* cause) {
  link_failure_ = what;
  if (cause != nullptr) {
    const auto* error = dynamic_cast<const Error*>(cause);
    link_failure_ += ": " + (error != nullptr ? error->Description() : std::string(cause->what()));
  }
  if (!attempt_target_.empty()) link_failure_ += " (" + attempt_target_ + ")";
}

std::string ActiveProfiles::LinkStatusText() const {
  if (IsConnectedToServer() == 1) return {};
  std::string next;
  if (m_ServerAddress.empty()) {
    next = "no server address";
  } else if (m_ServerPort <= 0 || m_ServerPort >= 65536) {
    next = "port " + std::to_string(m_ServerPort) + " is outside 1..65535";
  } else if (Socket::IsConnecting(socket_.State())) {
    next = "connecting to " + attempt_target_;
  } else {
    // The attempt comes on the first tick that brings the delay to 0.
    const int64_t interval = timer_.Interval();
    int64_t wait = ReconnectDelay;
    if (interval > 0) wait = std::max<int64_t>(1, (wait + interval - 1) / interval) * interval;
    next = "next attempt in " + std::to_string(std::max<int64_t>(1, (wait + 999) / 1000)) + " s";
  }
  return Capitalised(link_failure_.empty() ? next : link_failure_ + "; " + next);
}

}  // namespace quindo
