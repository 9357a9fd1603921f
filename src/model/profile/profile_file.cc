// Saving and loading a profile file: the version number, the profile record
// (layout in profile_record.h) and the schedule block.
//
// Both operations try every step and decide from the last recorded failure;
// the caller sees only the flag, and a failure message goes to ReportError.

#include "common/binary_file.h"
#include "common/dates.h"
#include "common/error.h"
#include "common/settings.h"
#include "common/step_recorder.h"
#include "model/profile/profile.h"
#include "model/profile/profile_naming.h"
#include "model/profile/profile_record.h"
#include "model/record_file.h"

namespace quindo {

bool cProfile::SaveToDisk() {
  const double now = Now();
  return SaveRecord(*this, ProfilesDirectory(), kProfileFileTexts,
                    [&](int16_t, BinaryFile& file, StepRecorder& steps) {
                      steps.Try([&] { file.WriteInt16(kProfileFileVersion); });
                      steps.Try([&] { WriteProfileRecord(file, RecordOfProfile(*this, now)); });
                      steps.Try([&] {
                        if (m_TimeSchedule == nullptr) throw Error(kObjectRequired);
                        m_TimeSchedule->SaveToDisk(file);
                      });
                    });
}

bool cProfile::LoadFromDisk(int16_t disk_identity) {
  const RecordFileLoad load = LoadRecordFile(
      CreateFileName(disk_identity), ProfilesDirectory(), kProfileFileTexts,
      {kOldProfileFileVersion, kProfileFileVersion}, kProfileFileVersion,
      [&](BinaryFile& file, int16_t version, StepRecorder& steps) {
        // Read into locals and commit only a complete record and schedule,
        // so that a truncated file leaves the profile as it was.
        ProfileRecord record;
        auto schedule = std::make_shared<cTimeSchedule>();
        if (!steps.Try([&] { record = ReadProfileRecord(file, version); }) ||
            !steps.Try([&] { schedule->ReadFromDisk(file); }) ||
            !steps.Try([&] { ApplyRecordToProfile(record, version, *this); })) {
          return false;
        }
        m_TimeSchedule = std::move(schedule);
        return true;
      });
  m_DiskIdentity = disk_identity;
  return FinishRecordLoad(*this, load);
}

}  // namespace quindo
