// Reads arbitrary bytes as a calendar file. A file shorter than 29,220 bytes
// must raise 62 and change no day; a longer one must give its first 29,220
// bytes as the day store, which the file then compares equal to.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/error.h"
#include "memory_files.h"
#include "model/calendar/calendar.h"

namespace {

using namespace quindo;

void Require(bool condition) {
  if (!condition) std::abort();
}

// In memory: no input touches the disk.
constexpr const char* kPath = "/fuzz/calendar.cal";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = kPath;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  FreshMemoryFiles("/fuzz").SetFileContent(path, bytes);
  cCalendar calendar;
  calendar.SetDayType(0, 12345);
  calendar.SetDayType(cCalendar::kDays - 1, -12345);
  try {
    Require(calendar.ReadFromDisk(path) == -1);
  } catch (const Error& e) {
    Require(e.Number() == kInputPastEndOfFile);
    Require(size < static_cast<size_t>(cCalendar::kFileSize));
    Require(calendar.GetDayType(0) == 12345 && calendar.GetDayType(cCalendar::kDays - 1) == -12345);
    return 0;
  }
  Require(calendar.ToFileBytes() == bytes.substr(0, cCalendar::kFileSize));
  Require(calendar.CompareToDiskOrSeeIfAnyDayIsSet(path) == -1);
  return 0;
}
