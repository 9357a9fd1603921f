#pragma once
// The frame of the link to the alarm server and the buffer that cuts frames
// out of the received byte stream.
//
// Frame layout (numbers big-endian):
//   offset 0  1 byte   message type, 0..255
//   offset 1  4 bytes  body length N, below 2^31 (first byte at most 0x7F)
//   offset 5  N bytes  body
// No checksum, no terminator.

#include <cstdint>
#include <string>
#include <string_view>

#include "common/export.h"

namespace quindo {

constexpr int32_t kFrameHeaderSize = 1 + 4;  // type + body length

// Message types. These numbers are the server's and must not change.
enum MessageType : int16_t {
  kKeepAlive = 0,        // sent, empty body
  kGreeting = 1,         // received, integer: the server's protocol level
  kGreetingReply = 200,  // sent, empty body, when the level is kProtocolLevel
  kProfileReport = 202,  // received, profile record
  kProfileUpdate = 210,  // received, profile record (handled as 202)
  kProfileRemoved = 211,  // received, number: profile number
  kEnableProfile = 220,   // sent, number: profile number
  kDisableProfile = 221,  // sent, number: profile number
};
constexpr int16_t kProtocolLevel = 8;

// Type byte, length and body as one piece. A type outside 0..255 raises 5, a
// body of 2^31 bytes or more raises 6.
QUINDO_EXPORT std::string ComposeFrame(int16_t message_type, std::string_view body);

// The received bytes not yet consumed. Frames are cut by moving a read
// offset; the consumed prefix is dropped by Compact(), so handling one
// arrival costs time linear in its size however many frames it holds.
class QUINDO_EXPORT FrameBuffer {
 public:
  static constexpr int64_t kDefaultMaximumBody = int64_t{16} << 20;  // 16 MiB

  void Append(std::string&& bytes);
  void Append(std::string_view bytes);
  void Clear();
  // Unconsumed bytes.
  size_t Size() const { return bytes_.size() - read_; }
  std::string_view Unconsumed() const { return std::string_view(bytes_).substr(read_); }

  // Cuts the next frame when it is complete: its type and body, the offset
  // moved past it. Returns false, consuming nothing, when fewer than the
  // header's or the body's bytes are buffered. A length field that cannot be
  // right raises and consumes nothing: first byte 0x80 or above (6), a frame
  // end beyond 2^31-1 (6), or a body above the maximum (6).
  bool CutFrame(int16_t& message_type, std::string& body);
  // Drops the consumed prefix.
  void Compact();

  // A body above this is refused as if its length field were bad, so that a
  // broken or hostile peer cannot make the buffer grow without bound.
  // A negative value raises 5.
  void SetMaximumBody(int64_t bytes);
  int64_t MaximumBody() const { return maximum_body_; }

 private:
  std::string bytes_;
  size_t read_ = 0;
  int64_t maximum_body_ = kDefaultMaximumBody;
};

}  // namespace quindo
