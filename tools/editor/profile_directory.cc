#include "tools/editor/profile_directory.h"

#include "common/error.h"
#include "common/file_system.h"
#include "common/language.h"
#include "common/settings.h"
#include "model/profile/profile_naming.h"

namespace quindo {

namespace {

ReportErrorHandler& ThreadDestination() {
  thread_local ReportErrorHandler destination;
  return destination;
}

// Collects what ReportError receives on this thread while it lives, passing
// it on to the thread's destination too, which it restores at the end.
class MessageCollector {
 public:
  explicit MessageCollector(std::string& into) {
    SetReportErrorHandler([&into](const std::string& message) {
      if (!into.empty()) into += '\n';
      into += message;
      if (ThreadDestination()) ThreadDestination()(message);
    });
  }
  ~MessageCollector() { SetReportErrorHandler(ThreadDestination()); }
};

}  // namespace

void SetReportDestination(ReportErrorHandler handler) {
  ThreadDestination() = std::move(handler);
  SetReportErrorHandler(ThreadDestination());
}

void UseDataDirectory(const std::string& directory) {
  std::string with_slash = directory;
  if (!with_slash.empty() && with_slash.back() != '/') with_slash += '/';
  DataDirectory() = with_slash;
  NestedProfileNames() = -1;
}

LoadedProfile LoadProfileFile(int16_t identity) {
  LoadedProfile loaded;
  loaded.identity = identity;
  auto profile = std::make_unique<cProfile>();
  bool ok = false;
  {
    MessageCollector collect(loaded.messages);
    ok = profile->LoadFromDisk(identity);
  }
  if (ok && profile->m_TimeSchedule != nullptr) {
    loaded.profile = std::move(profile);
  } else if (loaded.messages.empty()) {
    // Files of 0 or 1 bytes load as False without a message of their own.
    loaded.messages = "Profile file " + profile->CreateFileName(identity) + " is empty or unreadable";
  }
  return loaded;
}

void ProfileDirectory::Add(LoadedProfile loaded) {
  entries_[loaded.identity] = Entry{std::move(loaded.profile), std::move(loaded.messages)};
}

cProfile* ProfileDirectory::Find(int16_t identity) const {
  const auto found = entries_.find(identity);
  return found == entries_.end() ? nullptr : found->second.profile.get();
}

const std::string& ProfileDirectory::Messages(int16_t identity) const {
  static const std::string none;
  const auto found = entries_.find(identity);
  return found == entries_.end() ? none : found->second.messages;
}

std::vector<int16_t> ProfileDirectory::Identities() const {
  std::vector<int16_t> identities;
  identities.reserve(entries_.size());
  for (const auto& [identity, entry] : entries_) identities.push_back(identity);
  return identities;
}

int16_t ProfileDirectory::AddNew(std::unique_ptr<cProfile> profile) {
  profile->m_DiskIdentity = -1;
  if (!profile->SaveToDisk()) return -1;
  const int16_t identity = profile->m_DiskIdentity;
  entries_[identity] = Entry{std::move(profile), {}};
  return identity;
}

int16_t ProfileDirectory::CreateNew(const std::string& name) {
  auto profile = std::make_unique<cProfile>();
  profile->SetName(name);
  profile->m_TimeSchedule = std::make_shared<cTimeSchedule>();
  profile->m_TimeSchedule->SetDefaultPeriod();
  return AddNew(std::move(profile));
}

int16_t ProfileDirectory::Duplicate(int16_t identity) {
  const cProfile* source = Find(identity);
  if (source == nullptr) return -1;
  auto copy = std::make_unique<cProfile>();
  try {
    copy->CopyFrom(*source);
  } catch (const Error& e) {
    std::string message = "Duplicate of '" + source->GetName() + "' failed: " + e.Description();
    ReportError(message);
    return -1;
  }
  copy->SetName(source->GetName() + " (copy)");
  return AddNew(std::move(copy));
}

bool ProfileDirectory::Save(int16_t identity) {
  cProfile* profile = Find(identity);
  return profile != nullptr && profile->SaveToDisk();
}

bool ProfileDirectory::Reload(int16_t identity) {
  if (!Contains(identity)) return false;
  LoadedProfile loaded = LoadProfileFile(identity);
  if (loaded.profile == nullptr) return false;  // its messages went to the destination
  Add(std::move(loaded));
  return true;
}

bool ProfileDirectory::Remove(int16_t identity) {
  const auto found = entries_.find(identity);
  if (found == entries_.end()) return false;
  cProfile scratch;
  cProfile& profile = found->second.profile ? *found->second.profile : scratch;
  profile.RemoveFromDisk(identity);
  // The file may have been unreadable or gone already: what counts is that
  // it no longer exists.
  if (FileExists(profile.CreateFileName(identity))) return false;
  if (RedundancyRole() != 0) profile.StoreInDeletedFileForRedundantPartner(identity);
  entries_.erase(found);
  return true;
}

}  // namespace quindo
