// The calendar file: 14,610 day types of 16 bits, little-endian, in day
// order, 29,220 bytes with no header. The name is the caller's, used as given.
//
// Failures are raised to the caller; a missing file is not a failure.

#include <atomic>
#include <string>
#include <unistd.h>

#include "common/binary_file.h"
#include "common/error.h"
#include "common/file_system.h"
#include "model/calendar/calendar.h"

namespace quindo {
namespace {

constexpr int16_t kTrue = -1;
constexpr int16_t kFalse = 0;

// The whole content of an existing file.
std::string ReadWholeFile(const std::string& name) {
  BinaryFile file;
  file.Open(name, BinaryFile::Mode::kRead);
  std::string bytes = file.ReadBytes(static_cast<size_t>(file.Length()));
  file.Close();
  return bytes;
}

// A hidden name beside the target, so that the rename replaces the file in
// one step and FileExists never takes the temporary file for a calendar.
std::string TemporaryNameFor(const std::string& file_name) {
  static std::atomic<uint64_t> counter{0};
  const size_t slash = file_name.rfind('/');
  const size_t base = slash == std::string::npos ? 0 : slash + 1;
  return file_name.substr(0, base) + "." + file_name.substr(base) + ".tmp-" +
         std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

// Replaces the content of a file in one step: the old content stays intact
// when anything fails.
void ReplaceFileContent(const std::string& name, const std::string& bytes) {
  const std::string temporary = TemporaryNameFor(name);
  try {
    BinaryFile file;
    file.Open(temporary, BinaryFile::Mode::kCreate);
    file.WriteBytes(bytes);
    file.Close();
    RenameFile(temporary, name);
  } catch (...) {
    ::unlink(temporary.c_str());
    throw;
  }
}

}  // namespace

int16_t cCalendar::ReadFromDisk(const std::string& calendar_name) {
  if (!FileExists(calendar_name)) return kFalse;
  FromFileBytes(ReadWholeFile(calendar_name));
  return kTrue;
}

int16_t cCalendar::SaveToDisk(const std::string& calendar_name) const {
  ReplaceFileContent(calendar_name, ToFileBytes());
  return kTrue;
}

int16_t cCalendar::CompareToDiskOrSeeIfAnyDayIsSet(const std::string& calendar_name) const {
  if (!FileExists(calendar_name)) {
    for (const int16_t day_type : m_DayTypes) {
      if (day_type != 0) return kFalse;
    }
    return kTrue;
  }
  cCalendar on_disk;
  on_disk.FromFileBytes(ReadWholeFile(calendar_name));
  return CompareToOtherCalendar(on_disk);
}

}  // namespace quindo
