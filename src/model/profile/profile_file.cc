// Saving and loading a profile file: the version number, the profile record
// (layout in profile_record.h) and the schedule block.
//
// Both operations try every step and decide from the last recorded failure;
// the caller sees only the flag, and a failure message goes to ReportError.

#include "common/binary_file.h"
#include "common/dates.h"
#include "common/error.h"
#include "common/language.h"
#include "common/settings.h"
#include "common/step_recorder.h"
#include "model/profile/profile.h"
#include "model/profile/profile_naming.h"
#include "model/profile/profile_record.h"
#include "model/record_file.h"

namespace quindo {

bool cProfile::SaveToDisk() {
  const bool is_new = m_DiskIdentity < 0;
  const double now = Now();
  StepRecorder steps;
  std::string file_name;
  const int16_t identity = SaveRecordFileAs(
      is_new ? int16_t{-1} : m_DiskIdentity, [this](int16_t id) { return CreateFileName(id); }, steps,
      [&](int16_t, BinaryFile& file, StepRecorder& write_steps) {
        write_steps.Try([&] { file.WriteInt16(kProfileFileVersion); });
        write_steps.Try([&] { WriteProfileRecord(file, RecordOfProfile(*this, now)); });
        write_steps.Try([&] {
          if (m_TimeSchedule == nullptr) throw Error(kObjectRequired);
          m_TimeSchedule->SaveToDisk(file);
        });
      },
      file_name);
  if (identity < 0) {
    m_HasUpdatedDiskIdentity = 0;
    ReportComposed([] {
      return GetLanguageText(980) + " " + ProfilesDirectory() + " Err:" +
             Error(kTooManyFiles, "Too many files").Description();
    });
    return false;
  }
  // An identity drawn for a new profile stays assigned even when the write
  // then failed.
  m_DiskIdentity = identity;
  m_HasUpdatedDiskIdentity = is_new ? -1 : 0;
  if (steps.Failed()) {
    ReportComposed(
        [&] { return GetLanguageText(980) + " " + file_name + " Err:" + steps.LastDescription(); });
    return false;
  }
  StepRecorder snapshot;
  snapshot.Try([&] { RememberOriginalSettings(); });
  return true;
}

bool cProfile::LoadFromDisk(int16_t disk_identity) {
  const std::string file_name = CreateFileName(disk_identity);
  StepRecorder steps;
  bool result = false;
  bool rewrite = false;

  BinaryFile file;
  int16_t version = 0;
  if (OpenRecordFileForLoad(file_name, ProfilesDirectory(), file, steps, version)) {
    if (version == kOldProfileFileVersion || version == kProfileFileVersion) {
      // Read into locals and commit only a complete record and schedule, so
      // that a truncated file leaves the profile as it was.
      ProfileRecord record;
      auto schedule = std::make_shared<cTimeSchedule>();
      if (steps.Try([&] { record = ReadProfileRecord(file, version); }) &&
          steps.Try([&] { schedule->ReadFromDisk(file); }) &&
          steps.Try([&] { ApplyRecordToProfile(record, version, *this); })) {
        m_TimeSchedule = std::move(schedule);
        result = true;
        // Without the rewrite nothing is converted, so there is nothing to tell.
        if (version == kOldProfileFileVersion && RewriteOldVersionsOnLoad()) {
          ReportComposed([&] {
            return GetLanguageText(930) + " '" + file_name + "' (version " +
                   std::to_string(kOldProfileFileVersion) + " -> " +
                   std::to_string(kProfileFileVersion) + ")";
          });
          rewrite = true;
        }
      }
    } else {
      ReportComposed([&] {
        return GetLanguageText(803) + " '" + file_name + "' (" + std::to_string(version) + ") " +
               GetLanguageText(805);
      });
    }
  }
  // A file of 0 or 1 bytes is not read: False, with no message of its own.

  m_DiskIdentity = disk_identity;
  FinishRecordFileLoad(file_name, 982, file, steps, result, rewrite);
  if (rewrite) SaveToDisk();  // its own failure is reported by itself
  StepRecorder snapshot;
  snapshot.Try([&] { RememberOriginalSettings(); });
  return result;
}

}  // namespace quindo
