// Reads arbitrary bytes as a calendar file. A file shorter than 29,220 bytes
// must raise 62 and change no day; a longer one must give its first 29,220
// bytes as the day store, which the file then compares equal to.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "common/error.h"
#include "model/calendar/calendar.h"

namespace {

using namespace quindo;

void Require(bool condition) {
  if (!condition) std::abort();
}

// The file of the run, in a directory removed when the fuzzer exits.
struct FileOfRun {
  FileOfRun() {
    char pattern[] = "/tmp/fuzz_calendar_file.XXXXXX";
    dir = ::mkdtemp(pattern);
    path = dir + "/calendar.cal";
  }
  ~FileOfRun() {
    std::error_code error;
    std::filesystem::remove_all(dir, error);
  }
  std::string dir;
  std::string path;
};

const std::string& FilePath() {
  static FileOfRun run;
  return run.path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& path = FilePath();
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return 0;
  std::fwrite(data, 1, size, file);
  std::fclose(file);

  const std::string bytes(reinterpret_cast<const char*>(data), size);
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
