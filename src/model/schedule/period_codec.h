#pragma once
// The two-character integer codec of the period array text: each 16-bit value
// is two code-page bytes, high byte first.

#include <cstdint>
#include <string>
#include <string_view>

namespace quindo {

// -1 -> FF FF; 420 -> 01 A4.
std::string IntegerToChars(int16_t value);
// The same two bytes appended to `text`, for composing a whole array at once.
void AppendIntegerChars(std::string& text, int16_t value);
// Reads the first two bytes as a big-endian signed 16-bit value; bytes after
// them are ignored. Fewer than two bytes raise error 5.
int16_t CharsToInteger(std::string_view bytes);

}  // namespace quindo
