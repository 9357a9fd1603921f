#include "protocol/frame.h"

#include "common/error.h"
#include "common/numbers.h"
#include "protocol/field_codec.h"

namespace quindo {

std::string ComposeFrame(int16_t message_type, std::string_view body) {
  std::string frame = ComposeMessageType(message_type);
  frame.reserve(kFrameHeaderSize + body.size());
  AppendLong(frame, CheckedNarrow<int32_t>(static_cast<int64_t>(body.size())));
  frame.append(body);
  return frame;
}

void FrameBuffer::Append(std::string&& bytes) {
  if (Size() == 0) {
    // Nothing waits: take the arrival's storage instead of copying it.
    bytes_ = std::move(bytes);
    read_ = 0;
    return;
  }
  bytes_.append(bytes);
}

void FrameBuffer::Append(std::string_view bytes) { bytes_.append(bytes); }

void FrameBuffer::Clear() {
  bytes_.clear();
  read_ = 0;
}

bool FrameBuffer::CutFrame(int16_t& message_type, std::string& body) {
  const std::string_view rest = Unconsumed();
  if (rest.size() < static_cast<size_t>(kFrameHeaderSize)) return false;
  int32_t cursor = 1;
  const int64_t length = ExtractLong(rest, cursor);
  if (length + kFrameHeaderSize > INT32_MAX || length > maximum_body_) throw Error(kOverflow);
  if (rest.size() < static_cast<size_t>(length + kFrameHeaderSize)) return false;
  message_type = static_cast<unsigned char>(rest[0]);
  body.assign(rest.substr(kFrameHeaderSize, static_cast<size_t>(length)));
  read_ += static_cast<size_t>(length + kFrameHeaderSize);
  return true;
}

void FrameBuffer::Compact() {
  if (read_ == 0) return;
  bytes_.erase(0, read_);
  read_ = 0;
}

void FrameBuffer::SetMaximumBody(int64_t bytes) {
  if (bytes < 0) throw Error(kInvalidProcedureCall);
  maximum_body_ = bytes;
}

}  // namespace quindo
