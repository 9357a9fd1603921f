#include "calendar_files.h"

#include <filesystem>

#include "common/error.h"
#include "common/file_system.h"
#include "messages.h"

namespace quindo::records {
namespace {

bool NameIsTaken(const std::string& name) {
  std::error_code error;
  return std::filesystem::exists(std::filesystem::symlink_status(name, error));
}

}  // namespace

std::unique_ptr<cCalendar> LoadCalendar(const std::string& name, int status) {
  if (!FileExists(name)) {
    const char* why = DirectoryExists(name) ? "is a directory"
                      : NameIsTaken(name)   ? "not an ordinary visible file"
                                            : "no such calendar file";
    throw CommandError(status, name + ": " + why);
  }
  auto calendar = std::make_unique<cCalendar>();
  try {
    calendar->ReadFromDisk(name);
  } catch (const Error& e) {
    throw CommandError(status, name + ": " + e.Description());
  }
  return calendar;
}

std::unique_ptr<cCalendar> LoadCalendarForChange(const std::string& name) {
  if (FileExists(name)) return LoadCalendar(name, kExitFailed);
  if (NameIsTaken(name)) throw CommandError(kExitFailed, name + ": not an ordinary visible file; not changed");
  return std::make_unique<cCalendar>();
}

void SaveCalendar(const cCalendar& calendar, const std::string& name) {
  try {
    calendar.SaveToDisk(name);
  } catch (const Error& e) {
    throw CommandError(kExitFailed, name + ": " + e.Description());
  }
}

}  // namespace quindo::records
