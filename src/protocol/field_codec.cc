#include "protocol/field_codec.h"

#include "common/error.h"

namespace quindo {
namespace {

// The byte at 0-based offset `at`; a missing byte cannot be read.
uint32_t ByteAt(std::string_view bytes, int64_t at) {
  if (at < 0 || at >= static_cast<int64_t>(bytes.size())) throw Error(kInvalidProcedureCall);
  return static_cast<unsigned char>(bytes[static_cast<size_t>(at)]);
}

void Advance(int32_t& cursor, int64_t by) {
  const int64_t moved = int64_t{cursor} + by;
  if (moved > INT32_MAX) throw Error(kOverflow);
  cursor = static_cast<int32_t>(moved);
}

}  // namespace

int16_t ExtractInteger(std::string_view bytes, int32_t& cursor) {
  const uint32_t value = ByteAt(bytes, cursor) << 8 | ByteAt(bytes, int64_t{cursor} + 1);
  Advance(cursor, kIntegerFieldSize);
  return static_cast<int16_t>(value >= 0x8000 ? static_cast<int32_t>(value) - 0x10000
                                              : static_cast<int32_t>(value));
}

int32_t ExtractLong(std::string_view bytes, int32_t& cursor) {
  const int64_t at = cursor;
  const uint32_t value = ByteAt(bytes, at) << 24 | ByteAt(bytes, at + 1) << 16 |
                         ByteAt(bytes, at + 2) << 8 | ByteAt(bytes, at + 3);
  if (value > INT32_MAX) throw Error(kOverflow);
  Advance(cursor, kNumberFieldSize);
  return static_cast<int32_t>(value);
}

std::string ExtractString(std::string_view bytes, int32_t& cursor) {
  const int16_t length = ExtractInteger(bytes, cursor);
  if (length < 0) throw Error(kInvalidProcedureCall);
  const size_t start = static_cast<size_t>(cursor);
  std::string text;
  if (start < bytes.size()) text.assign(bytes.substr(start, static_cast<size_t>(length)));
  Advance(cursor, length);
  return text;
}

std::string ComposeMessageType(int16_t message_type) {
  if (message_type < 0 || message_type > 255) throw Error(kInvalidProcedureCall);
  return std::string(1, static_cast<char>(message_type));
}

std::string ComposeLong(int32_t value) {
  std::string out;
  AppendLong(out, value);
  return out;
}

void AppendInteger(std::string& out, int16_t value) {
  const auto bits = static_cast<uint16_t>(value);
  out += static_cast<char>(bits >> 8);
  out += static_cast<char>(bits & 0xFF);
}

void AppendLong(std::string& out, int32_t value) {
  // A negative number's first byte would be negative: it cannot be sent.
  if (value < 0) throw Error(kInvalidProcedureCall);
  const auto bits = static_cast<uint32_t>(value);
  out += static_cast<char>(bits >> 24);
  out += static_cast<char>((bits >> 16) & 0xFF);
  out += static_cast<char>((bits >> 8) & 0xFF);
  out += static_cast<char>(bits & 0xFF);
}

void AppendString(std::string& out, std::string_view bytes) {
  if (bytes.size() > static_cast<size_t>(kMaximumTextFieldLength)) throw Error(kOverflow);
  AppendInteger(out, static_cast<int16_t>(bytes.size()));
  out.append(bytes);
}

}  // namespace quindo
