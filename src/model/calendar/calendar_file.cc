// The calendar file: 14,610 day types of 16 bits, little-endian, in day
// order, 29,220 bytes with no header. The name is the caller's, used as given.
//
// Failures are raised to the caller; a missing file is not a failure.

#include <string>

#include "common/binary_file.h"
#include "common/error.h"
#include "common/file_system.h"
#include "model/calendar/calendar.h"

namespace quindo {
namespace {

constexpr int16_t kTrue = -1;
constexpr int16_t kFalse = 0;

// The day store of an existing file: its first 29,220 bytes, whatever
// follows them (a huge file costs no more than a calendar); a shorter file
// raises 62.
std::string ReadDayStore(const std::string& name) {
  BinaryFile file;
  file.Open(name, BinaryFile::Mode::kRead);
  std::string bytes = file.ReadBytes(cCalendar::kFileSize);
  file.Close();
  return bytes;
}

}  // namespace

int16_t cCalendar::ReadFromDisk(const std::string& calendar_name) {
  if (!FileExists(calendar_name)) return kFalse;
  FromFileBytes(ReadDayStore(calendar_name));
  return kTrue;
}

int16_t cCalendar::SaveToDisk(const std::string& calendar_name) const {
  WriteFileAtomically(calendar_name, ToFileBytes());
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
  on_disk.FromFileBytes(ReadDayStore(calendar_name));
  return CompareToOtherCalendar(on_disk);
}

}  // namespace quindo
