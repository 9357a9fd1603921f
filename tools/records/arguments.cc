#include "arguments.h"

#include <charconv>
#include <cstdint>
#include <iostream>

#include "common/error.h"
#include "common/file_system.h"
#include "messages.h"
#include "model/calendar/day_number.h"

namespace quindo::records {

int64_t WholeNumberArgument(const std::string& text, int64_t lo, int64_t hi, const std::string& what) {
  int64_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || stop != end || error != std::errc() || value < lo || value > hi) {
    const std::string range = hi == INT64_MAX ? "of at least " + std::to_string(lo)
                                              : "in " + std::to_string(lo) + ".." + std::to_string(hi);
    throw UsageError(what + " must be a whole number " + range + ", not \"" + text + "\"");
  }
  return value;
}

int16_t IdentityArgument(const std::string& text, const std::string& what) {
  const bool digits = !text.empty() && text.size() <= 4 && text.find_first_not_of("0123456789") == std::string::npos;
  if (!digits) throw UsageError(what + " must be a number in 0..9999, not \"" + text + "\"");
  return static_cast<int16_t>(std::stoi(text));
}

int32_t DateArgument(const std::string& text, const std::string& what) {
  try {
    return ParseDayNumberText(text, what);
  } catch (const Error& e) {
    throw UsageError(e.Description());
  }
}

int32_t YearArgument(const std::string& text, const std::string& what) {
  const bool digits = text.size() == 4 && text.find_first_not_of("0123456789") == std::string::npos;
  const int32_t year = digits ? std::stoi(text) : 0;
  if (year < kFirstCalendarYear || year > kLastCalendarYear) {
    throw UsageError(what + " must be a year of 2000..2039, not \"" + text + "\"");
  }
  return year;
}

std::string ReadInputDocument(const std::string& name, size_t limit) {
  if (name.empty() || name == "-") {
    // Read no more than the limit allows, so that an endless input ends too.
    std::string text;
    char chunk[1 << 16];
    while (text.size() <= limit && std::cin.read(chunk, sizeof chunk).gcount() > 0) {
      text.append(chunk, static_cast<size_t>(std::cin.gcount()));
    }
    if (text.size() > limit) throw UsageError("standard input: longer than " + std::to_string(limit) + " bytes");
    return text;
  }
  try {
    if (DirectoryExists(name)) throw Error(kPathFileAccessError, "is a directory");
    return ReadWholeFile(name, limit);
  } catch (const Error& e) {
    throw UsageError(name + ": cannot be read: " + e.Description());
  }
}

}  // namespace quindo::records
