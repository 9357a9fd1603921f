#pragma once
// Loading one record file for a command, with the same messages everywhere:
// a missing data directory, a missing file and a file that cannot be loaded
// each raise CommandError with status 1, in one line.

#include <cstdint>
#include <string>

#include "messages.h"
#include "record_kind.h"

namespace quindo::records {

// "no directory DIR/Profiles/" when the kind's directory does not exist.
void RequireDirectory(const std::string& directory);

// "no profile file 42 (DIR/Profiles/Profile_0042.dat)", alone on its line as
// scripts have matched it, when the file does not exist.
void RequireRecordFile(const std::string& kind, int16_t identity, const std::string& file_name);

// The failure of a load that returned false: the record's own messages, or
// "PATH: not loaded".
[[noreturn]] void RecordNotLoaded(const std::string& file_name);

void LoadStoredRecord(const std::string& kind, KindRecord& record, int16_t identity);

// The same for a record class with CreateFileName and LoadFromDisk (cProfile).
template <typename Record>
void LoadStoredRecord(const std::string& kind, const std::string& directory, Record& record, int16_t identity) {
  RequireDirectory(directory);
  const std::string file_name = record.CreateFileName(identity);
  RequireRecordFile(kind, identity, file_name);
  if (!record.LoadFromDisk(identity)) RecordNotLoaded(file_name);
  FlushRecordReports();
}

}  // namespace quindo::records
