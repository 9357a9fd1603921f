#include "directory_records.h"

#include "common/file_system.h"
#include "messages.h"
#include "model/profile/profile_naming.h"
#include "model/receiver/receiver_naming.h"

namespace quindo::records {
namespace {

template <typename Record>
LoadedRecords<Record> LoadAll(const std::vector<int16_t>& identities) {
  LoadedRecords<Record> loaded;
  for (const int16_t identity : identities) {
    auto record = std::make_unique<Record>();
    if (record->LoadFromDisk(identity)) {
      FlushRecordReports();
      loaded.records.push_back(std::move(record));
      continue;
    }
    std::string message = TakeRecordReports();
    loaded.unreadable.push_back({identity, record->CreateFileName(identity), message.empty() ? "not loaded" : message});
  }
  return loaded;
}

}  // namespace

LoadedRecords<cProfile> LoadAllProfiles(int status) {
  if (!DirectoryExists(ProfilesDirectory())) throw CommandError(status, "no directory " + ProfilesDirectory());
  return LoadAll<cProfile>(ListStoredProfileIdentities());
}

LoadedRecords<cReceiver> LoadAllReceivers() { return LoadAll<cReceiver>(ListStoredReceiverIdentities()); }

void SayUnreadable(const std::vector<UnreadableFile>& files) {
  for (const UnreadableFile& file : files) SayLine(file.file_name + ": " + file.message);
}

}  // namespace quindo::records
