#include "control/memory_socket.h"

#include "common/error.h"

namespace quindo {
namespace {
// The error numbers of the socket control for a send or a read on a link
// that is not up.
constexpr int32_t kWrongProtocolOrState = 40006;
}  // namespace

void MemorySocket::Connect(const std::string& host, int32_t port) {
  attempts_.push_back(Attempt{host, port});
  pending_.clear();
  state_ = kStateConnecting;
}

void MemorySocket::SendData(const std::string& bytes) {
  if (fail_next_send_) {
    fail_next_send_ = false;
    throw Error(kWrongProtocolOrState, "Wrong protocol or connection state for the requested transaction or request");
  }
  if (state_ != kStateConnected) throw Error(kWrongProtocolOrState, "Wrong protocol or connection state for the requested transaction or request");
  sent_.push_back(bytes);
}

std::string MemorySocket::GetData() {
  if (fail_next_get_data_) {
    fail_next_get_data_ = false;
    throw Error(kWrongProtocolOrState, "Wrong protocol or connection state for the requested transaction or request");
  }
  std::string data;
  data.swap(pending_);
  return data;
}

void MemorySocket::Close() {
  ++close_count_;
  pending_.clear();
  state_ = kStateClosed;
}

void MemorySocket::Accept() {
  state_ = kStateConnected;
  Fire(events_.connected);
}

void MemorySocket::Receive(std::string_view bytes) {
  pending_.append(bytes);
  Fire(events_.data_arrival);
}

void MemorySocket::PeerClose() {
  state_ = kStateClosing;
  Fire(events_.closed);
}

void MemorySocket::Fail(std::string text) {
  error_text_ = std::move(text);
  state_ = kStateError;
  Fire(events_.error);
}

std::string MemorySocket::SentBytes() const {
  std::string all;
  for (const std::string& frame : sent_) all += frame;
  return all;
}

}  // namespace quindo
