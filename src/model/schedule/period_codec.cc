#include "model/schedule/period_codec.h"

#include "common/error.h"

namespace quindo {

void AppendIntegerChars(std::string& text, int16_t value) {
  const auto bits = static_cast<uint16_t>(value);
  text.push_back(static_cast<char>(bits >> 8));
  text.push_back(static_cast<char>(bits & 0xFF));
}

std::string IntegerToChars(int16_t value) {
  std::string bytes;
  AppendIntegerChars(bytes, value);
  return bytes;
}

int16_t CharsToInteger(std::string_view bytes) {
  if (bytes.size() < 2) throw Error(kInvalidProcedureCall);
  const auto hi = static_cast<unsigned char>(bytes[0]);
  const auto lo = static_cast<unsigned char>(bytes[1]);
  // Two's complement: bit 15 set means a negative value.
  return static_cast<int16_t>(static_cast<uint16_t>(hi << 8 | lo));
}

}  // namespace quindo
