#pragma once
// A socket kept in memory, for tests and fuzzing: the peer's side is played
// by calls (accept, receive bytes, close, fail), sent frames are recorded,
// and the next send can be made to fail. The events go to the handlers set
// with SetEvents, at once and on the caller's thread, as a real socket's do
// on the user-interface thread.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/export.h"
#include "control/child_controls.h"

namespace quindo {

class QUINDO_EXPORT MemorySocket : public Socket {
 public:
  // The states the control can see; only kStateConnected is tested.
  static constexpr int32_t kStateClosed = 0;
  static constexpr int32_t kStateConnecting = 6;
  static constexpr int32_t kStateClosing = 8;
  static constexpr int32_t kStateError = 9;

  struct Events {
    std::function<void()> connected;
    std::function<void()> closed;
    std::function<void()> error;
    std::function<void()> data_arrival;
  };
  void SetEvents(Events events) { events_ = std::move(events); }

  // Socket.
  int32_t State() const override { return state_; }
  void Connect(const std::string& host, int32_t port) override;
  void SendData(const std::string& bytes) override;
  std::string GetData() override;
  // Pending received bytes are dropped, as a closed socket delivers nothing.
  void Close() override;
  std::string ErrorText() const override { return error_text_; }

  // The peer's side.
  void Accept();                          // connected, then the connected event
  void Receive(std::string_view bytes);   // queued, then the data-arrival event
  void PeerClose();                       // closing, then the closed event
  // Error state with the socket's description, then the error event.
  void Fail(std::string text = "Connection refused");
  void FailNextSend() { fail_next_send_ = true; }
  void FailNextGetData() { fail_next_get_data_ = true; }
  void SetState(int32_t state) { state_ = state; }

  // What the control did.
  struct Attempt {
    std::string host;
    int32_t port;
  };
  const std::vector<Attempt>& Attempts() const { return attempts_; }
  const std::vector<std::string>& SentFrames() const { return sent_; }
  std::string SentBytes() const;
  void ClearSent() { sent_.clear(); }
  int32_t CloseCount() const { return close_count_; }

 private:
  static void Fire(const std::function<void()>& event) {
    if (event) event();
  }

  Events events_;
  int32_t state_ = kStateClosed;
  std::string pending_;
  std::vector<Attempt> attempts_;
  std::vector<std::string> sent_;
  int32_t close_count_ = 0;
  bool fail_next_send_ = false;
  bool fail_next_get_data_ = false;
  std::string error_text_;
};

}  // namespace quindo
