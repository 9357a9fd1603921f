#pragma once
// The field codecs of a message body. Every field is read from code-page
// BYTES (one char per byte, values 0..255); texts leave here as bytes and are
// converted to UTF-8 by whoever knows what they hold.
//
// Layout of the fields (multi-byte numbers big-endian):
//   integer  2 bytes  16-bit two's complement
//   number   4 bytes  0..2^31-1 (the first byte at most 0x7F)
//   text     2 + L    an integer L (0..32767), then L bytes, no terminator
//
// The cursor counts the bytes already consumed (0 at the start of a body); a
// read takes the field that starts right after it and moves it past the
// field.
//
// Errors (quindo::Error):
//   5 "Invalid procedure call or argument": a numeric field that lies wholly
//     or partly past the end of the bytes, a negative cursor, a negative text
//     length, a message type outside 0..255, a negative number to compose;
//   6 "Overflow": a number field whose first byte is 0x80 or above, a text
//     longer than 32767 bytes to compose, a cursor that would pass 2^31-1.

#include <cstdint>
#include <string>
#include <string_view>

#include "common/export.h"

namespace quindo {

constexpr int32_t kIntegerFieldSize = 2;
constexpr int32_t kNumberFieldSize = 4;
constexpr int32_t kMaximumTextFieldLength = 32767;

QUINDO_EXPORT int16_t ExtractInteger(std::string_view bytes, int32_t& cursor);
QUINDO_EXPORT int32_t ExtractLong(std::string_view bytes, int32_t& cursor);
// Reads the length L, then the L bytes after it; a text cut short by the end
// of the bytes yields the bytes that are there, and the cursor still moves by
// L, so that a numeric field after it fails.
QUINDO_EXPORT std::string ExtractString(std::string_view bytes, int32_t& cursor);

// One byte: the type's value.
QUINDO_EXPORT std::string ComposeMessageType(int16_t message_type);
// Four bytes, most significant first.
QUINDO_EXPORT std::string ComposeLong(int32_t value);

// The writers of the other fields, for building profile messages.
void AppendInteger(std::string& out, int16_t value);
void AppendLong(std::string& out, int32_t value);
void AppendString(std::string& out, std::string_view bytes);

}  // namespace quindo
