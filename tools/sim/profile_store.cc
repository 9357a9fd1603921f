#include "tools/sim/profile_store.h"

#include <filesystem>

#include "common/settings.h"
#include "model/profile/profile_naming.h"

namespace quindo {

void ProfileStore::Adopt(std::vector<std::unique_ptr<cProfile>> profiles) {
  for (auto& profile : profiles) {
    const int32_t number = profile->m_DiskIdentity;
    profiles_[number] = std::move(profile);
  }
}

int ProfileStore::LoadDirectory(const std::string& directory,
                                std::vector<std::unique_ptr<cProfile>> seed) {
  DataDirectory() = directory.empty() || directory.back() == '/' ? directory : directory + "/";
  on_disk_ = true;
  std::error_code ignored;
  std::filesystem::create_directories(ProfilesDirectory(), ignored);

  std::vector<int16_t> identities = ListStoredProfileIdentities();
  if (identities.empty()) {
    for (auto& profile : seed) profile->SaveToDisk();
    identities = ListStoredProfileIdentities();
  }
  int loaded = 0;
  for (int16_t identity : identities) {
    auto profile = std::make_unique<cProfile>();
    if (!profile->LoadFromDisk(identity)) continue;
    profile->m_DiskIdentity = identity;
    profiles_[identity] = std::move(profile);
    ++loaded;
  }
  return loaded;
}

std::vector<const cProfile*> ProfileStore::All() const {
  std::vector<const cProfile*> all;
  for (const auto& [number, profile] : profiles_) all.push_back(profile.get());
  return all;
}

const cProfile* ProfileStore::Find(int32_t number) const {
  const auto it = profiles_.find(number);
  return it == profiles_.end() ? nullptr : it->second.get();
}

bool ProfileStore::SetEnabled(int32_t number, bool enabled) {
  const auto it = profiles_.find(number);
  if (it == profiles_.end()) return false;
  it->second->m_Enabled = enabled ? -1 : 0;
  return on_disk_ ? it->second->SaveToDisk() : true;
}

bool ProfileStore::Remove(int32_t number) { return profiles_.erase(number) != 0; }

bool ProfileStore::Add(std::unique_ptr<cProfile> profile) {
  const int32_t number = profile->m_DiskIdentity;
  if (profiles_.count(number) != 0) return false;
  if (on_disk_ && !profile->SaveToDisk()) return false;
  profiles_[number] = std::move(profile);
  return true;
}

}  // namespace quindo
