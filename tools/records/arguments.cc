#include "arguments.h"

#include <charconv>
#include <cstdint>
#include <iostream>

#include "common/dates.h"
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

ScheduleTime WallClockArgument(const std::string& text, const std::string& what) {
  if (text == "now") {
    const CivilDateTime now = CivilFromDate(Now());
    const std::optional<int32_t> day = CalendarDayOf(now.year, now.month, now.day);
    if (!day) throw CommandError(kExitFailed, what + " now: today lies outside 2000..2039");
    return {*day, now.hour * 60 + now.minute};
  }
  const auto digit = [&text](size_t i) { return text[i] >= '0' && text[i] <= '9'; };
  if (text.size() != 16 || text[10] != ' ' || text[13] != ':' || !digit(11) || !digit(12) || !digit(14) ||
      !digit(15)) {
    throw UsageError(what + " must be a local time \"YYYY-MM-DD HH:MM\" or now, not \"" + text + "\"");
  }
  const int32_t day_number = DateArgument(text.substr(0, 10), what);
  const int32_t hour = (text[11] - '0') * 10 + (text[12] - '0');
  const int32_t minute = (text[14] - '0') * 10 + (text[15] - '0');
  if (hour > 23 || minute > 59) throw UsageError(what + " " + text.substr(11) + " is not a time of 00:00..23:59");
  return {day_number, hour * 60 + minute};
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
