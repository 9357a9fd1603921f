// Profile file names, removal and the deleted-profiles log.

#include "model/profile/profile_naming.h"

#include "common/file_system.h"
#include "common/language.h"
#include "common/settings.h"
#include "common/step_recorder.h"
#include "model/deleted_log.h"
#include "model/profile/profile.h"
#include "model/record_file.h"

namespace quindo {
namespace {

constexpr std::string_view kPrefix = "Profile_";

}  // namespace

std::string ProfilesDirectory() { return DataDirectory() + "Profiles/"; }

std::string DeletedProfilesLogPath() { return ProfilesDirectory() + "DeletedProfiles.dat"; }

std::vector<int16_t> ListStoredProfileIdentities() {
  return ListRecordIdentities(ProfilesDirectory(), kPrefix);
}

std::string cProfile::CreateFileName(int16_t disk_identity) const {
  return RecordFileName(ProfilesDirectory(), kPrefix, disk_identity);
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
