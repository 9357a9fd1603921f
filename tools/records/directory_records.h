#pragma once
// Every profile and receiver of the data directory, loaded for the commands
// that answer for the whole directory (agenda, check). A file that cannot
// be loaded is kept aside with the loader's message rather than ending the
// command: one bad file should not hide the answers for the others.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/profile/profile.h"
#include "model/receiver/receiver.h"

namespace quindo::records {

struct UnreadableFile {
  int16_t disk_identity = -1;
  std::string file_name;
  std::string message;  // the loader's own, or "not loaded"
};

template <typename Record>
struct LoadedRecords {
  std::vector<std::unique_ptr<Record>> records;  // by identity
  std::vector<UnreadableFile> unreadable;

  std::vector<const Record*> Pointers() const {
    std::vector<const Record*> pointers;
    for (const auto& record : records) pointers.push_back(record.get());
    return pointers;
  }
};

// The profiles of DIR/Profiles/; a missing directory raises CommandError
// with `status`.
LoadedRecords<cProfile> LoadAllProfiles(int status);

// The receivers of DIR/Receivers/; none when the directory is missing.
LoadedRecords<cReceiver> LoadAllReceivers();

// One message line per unreadable file ("PATH: MESSAGE").
void SayUnreadable(const std::vector<UnreadableFile>& files);

}  // namespace quindo::records
