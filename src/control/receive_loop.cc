// The receive loop: joins the arrivals, cuts complete frames and dispatches
// them by type. Everything the server sends is untrusted: any error while
// cutting or decoding a frame closes the link.

#include "control/active_profiles.h"
#include "protocol/field_codec.h"
#include "protocol/frame.h"

namespace quindo {

void ActiveProfiles::Winsock_Quindo_DataArrival() {
  std::string arrival;
  try {
    arrival = socket_.GetData();
  } catch (...) {
    // Nothing could be taken; frames already buffered are still handled.
  }

  // The frame being handled is lost; what follows it stays buffered until
  // the next connect empties the buffer. Our own close brings no closed
  // event, so the tree stays shown until then.
  const auto drop_link = [this](const std::exception* cause) {
    NoteLinkFailure("Unreadable message from the server", cause);
    m_ReceiveBuffer.Compact();
    try {
      socket_.Close();
    } catch (...) {
    }
  };
  try {
    m_ReceiveBuffer.Append(std::move(arrival));
    int16_t message_type = 0;
    // The body is copied out of the buffer: a handler reaches the socket,
    // and an arrival delivered meanwhile may change the buffer under it.
    std::string body;
    while (m_ReceiveBuffer.CutFrame(message_type, body)) DispatchFrame(message_type, body);
    m_ReceiveBuffer.Compact();
  } catch (const std::exception& e) {
    drop_link(&e);
  } catch (...) {
    drop_link(nullptr);
  }
}

void ActiveProfiles::DispatchFrame(int16_t message_type, const std::string& body) {
  switch (message_type) {
    case kGreeting: {
      int32_t cursor = 0;
      const int16_t level = ExtractInteger(body, cursor);
      if (level == kProtocolLevel) {
        SendMessageToServer(kGreetingReply, {});  // a failed reply closes the link itself
      } else {
        // A server of another level: drop the link but go on with the frames
        // already received (their sends fail on the closed link).
        NoteLinkFailure("The server speaks protocol level " + std::to_string(level) + ", not " +
                        std::to_string(kProtocolLevel));
        socket_.Close();
      }
      break;
    }
    case kProfileReport:
    case kProfileUpdate:
      ++profile_messages_;
      OnProfileReport(body);
      break;
    case kProfileRemoved:
      ++profile_messages_;
      OnProfileRemoved(body);
      break;
    default:
      break;  // types without an action are consumed
  }
}

}  // namespace quindo
