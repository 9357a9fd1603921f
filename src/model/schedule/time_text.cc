#include "model/schedule/time_text.h"

#include <algorithm>

#include "common/numbers.h"

namespace quindo {
namespace {

std::string LastTwo(const std::string& digits) {
  const std::string padded = "00" + digits;
  return padded.substr(padded.size() - 2);
}

// Characters, not bytes, count for the short-text rule and for the last four
// characters: the text is UTF-8.
bool IsLeadByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }

size_t CharacterCount(std::string_view text) {
  return static_cast<size_t>(std::count_if(text.begin(), text.end(), IsLeadByte));
}

std::string_view LastCharacters(std::string_view text, size_t count) {
  size_t pos = text.size();
  while (pos > 0 && count > 0) {
    --pos;
    if (IsLeadByte(text[pos])) --count;
  }
  return text.substr(pos);
}

// Splits off the first `count` characters.
std::string_view FirstCharacters(std::string_view text, size_t count) {
  size_t pos = 0;
  for (size_t seen = 0; pos < text.size(); ++pos) {
    if (IsLeadByte(text[pos]) && seen++ == count) break;
  }
  return text.substr(0, pos);
}

}  // namespace

std::string TimeText(int32_t minute) {
  return LastTwo(std::to_string(minute / 60)) + ":" + LastTwo(std::to_string(minute % 60));
}

int32_t ParseTimeText(std::string_view text) {
  return std::clamp(RoundToInteger<int32_t>(TypedMinutes(text)), 0, kMinutesPerDay);
}

double TypedMinutes(std::string_view text) {
  double hours = 0;
  double minutes = 0;
  size_t separator = std::string_view::npos;
  for (char candidate : {':', '.', ',', ' ', '-', '+'}) {
    separator = text.find(candidate);
    if (separator != std::string_view::npos) break;
  }
  if (separator != std::string_view::npos) {
    hours = ReadLeadingNumber(text.substr(0, separator));
    minutes = ReadLeadingNumber(text.substr(separator + 1));
  } else {
    std::string digits(text);
    if (CharacterCount(text) < 3 && (text.empty() || text.front() != '0')) digits += "00";
    const std::string padded = "0000" + digits;
    const std::string_view last_four = LastCharacters(padded, 4);
    const std::string_view hour_part = FirstCharacters(last_four, 2);
    hours = ReadLeadingNumber(hour_part);
    minutes = ReadLeadingNumber(last_four.substr(hour_part.size()));
  }
  return hours * 60 + minutes;
}

}  // namespace quindo
