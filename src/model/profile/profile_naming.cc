// Profile file names, removal and the deleted-profiles log.

#include "model/profile/profile_naming.h"

#include <algorithm>

#include "common/file_system.h"
#include "common/language.h"
#include "common/settings.h"
#include "common/step_recorder.h"
#include "model/deleted_log.h"
#include "model/profile/profile.h"

namespace quindo {
namespace {

constexpr std::string_view kPrefix = "Profile_";
constexpr std::string_view kSuffix = ".dat";

}  // namespace

std::string ProfilesDirectory() { return DataDirectory() + "Profiles/"; }

std::string DeletedProfilesLogPath() { return ProfilesDirectory() + "DeletedProfiles.dat"; }

std::vector<int16_t> ListStoredProfileIdentities() {
  std::vector<int16_t> identities;
  for (const std::string& name : ListFiles(ProfilesDirectory())) {
    if (name.size() != kPrefix.size() + 4 + kSuffix.size() || !name.starts_with(kPrefix) ||
        !name.ends_with(kSuffix)) {
      continue;
    }
    const std::string_view digits = std::string_view(name).substr(kPrefix.size(), 4);
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
      continue;
    }
    identities.push_back(static_cast<int16_t>(std::stoi(std::string(digits))));
  }
  std::sort(identities.begin(), identities.end());
  return identities;
}

std::string cProfile::CreateFileName(int16_t disk_identity) const {
  // The last four characters of "0000" + the decimal identity: 7 -> 0007,
  // 12345 -> 2345, -1 -> 00-1.
  const std::string padded = "0000" + std::to_string(disk_identity);
  return ProfilesDirectory() + std::string(kPrefix) + padded.substr(padded.size() - 4) +
         std::string(kSuffix);
}

bool cProfile::RemoveFromDisk(int16_t disk_identity) {
  const std::string file_name = CreateFileName(disk_identity);
  StepRecorder steps;
  steps.Try([&] { DeleteFile(file_name); });
  StepRecorder report;  // a bad language table skips the message, it never raises
  report.Try([&] {
    std::string message = GetLanguageText(981) + " '" + m_Name + "' " + file_name;
    if (steps.Failed()) message += " Err:" + steps.LastDescription();
    ReportError(message);
  });
  // The entry goes whether or not the file could be deleted; a profile that
  // was never in the collection is no failure worth reporting.
  std::string key = "K";  // appended, not "K" + ...: GCC 12 warns falsely on that at -O3
  key += std::to_string(disk_identity);
  steps.Try([&] { ProfileCollection().Remove(key); });
  return true;
}

void cProfile::StoreInDeletedFileForRedundantPartner(int16_t disk_identity) {
  StoreDeletedRecordLine(DeletedProfilesLogPath(), disk_identity, m_Name);
}

}  // namespace quindo
