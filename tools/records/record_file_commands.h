#pragma once
// What the profile and receiver commands do alike to a kind's record files
// (Record is cProfile or cReceiver): removing one, and converting old ones.

#include <cstdint>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "common/file_system.h"
#include "common/settings.h"
#include "model/record_file.h"

namespace quindo::records {

// Removes record file `id`, logging the deletion first for the redundant
// partner (RedundancyRole `redundancy_role`). An identity without a file is
// refused before anything is written: "no KIND file ID (PATH)", status 1,
// and no line in the log, which would make the partner delete its own.
template <typename Record>
int RemoveRecordFile(const char* kind, int16_t id, int16_t redundancy_role) {
  Record record;
  const std::string file_name = record.CreateFileName(id);
  if (!FileExists(file_name)) {
    std::cerr << "no " << kind << " file " << id << " (" << file_name << ")\n";
    return 1;
  }
  RewriteOldVersionsOnLoad() = false;  // a file about to go is not converted first
  record.LoadFromDisk(id);             // for the name in the log and the message
  RedundancyRole() = redundancy_role;
  record.StoreInDeletedFileForRedundantPartner(id);
  record.RemoveFromDisk(id);
  return FileExists(file_name) ? 1 : 0;
}

// Converts the files of `named` (every file of `stored` when none is named)
// that hold an older version than `current` into it, printing one line per
// converted file: ID <TAB> "version" OLD " -> " CURRENT. Files already current
// are left untouched. Status 1 when a named file is missing or a file could
// not be loaded or saved (the record's own message tells why).
template <typename Record>
int UpgradeRecordFiles(const char* kind, const std::vector<int16_t>& named, const std::vector<int16_t>& stored,
                       int16_t current) {
  RewriteOldVersionsOnLoad() = false;  // the conversion is this command's own, and checked
  int status = 0;
  std::string out;
  for (const int16_t id : named.empty() ? stored : named) {
    Record record;
    const std::string file_name = record.CreateFileName(id);
    const auto version = StoredRecordVersion(file_name);  // none for a file too short to load
    if (!FileExists(file_name)) {
      std::cerr << "no " << kind << " file " << id << " (" << file_name << ")\n";
      status = 1;
    } else if (version != current) {
      if (record.LoadFromDisk(id) && record.SaveToDisk()) {
        out += std::to_string(id) + "\tversion " + std::to_string(*version) + " -> " + std::to_string(current) + "\n";
      } else {
        std::cerr << file_name << ": not converted\n";
        status = 1;
      }
    }
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  return status;
}

}  // namespace quindo::records
