// Saving and loading a receiver file (layout in receiver_record.h).
//
// Both operations try every step and decide from the last recorded failure;
// the caller sees only the flag, and a failure message goes to ReportError.

#include "common/binary_file.h"
#include "common/dates.h"
#include "common/error.h"
#include "common/language.h"
#include "common/settings.h"
#include "common/step_recorder.h"
#include "model/receiver/receiver.h"
#include "model/receiver/receiver_naming.h"
#include "model/receiver/receiver_record.h"
#include "model/record_file.h"

namespace quindo {

bool cReceiver::SaveToDisk() {
  const bool is_new = m_DiskIdentity < 0;
  ReceiverRecord record;
  record.enabled = m_Enabled;
  record.type_id = m_ReceiverTypeId;
  record.name = m_ReceiverName;
  record.settings = m_Settings;
  record.backup = m_BackupReceiver;
  record.file_time_stamp = Now();

  StepRecorder steps;
  std::string file_name;
  const int16_t identity = SaveRecordFileAs(
      is_new ? int16_t{-1} : m_DiskIdentity, [this](int16_t id) { return CreateFileName(id); }, steps,
      [&](int16_t id, BinaryFile& file, StepRecorder& write_steps) {
        record.disk_identity = id;  // the file holds its own identity
        write_steps.Try([&] { file.WriteInt16(kReceiverFileVersion); });
        write_steps.Try([&] { WriteReceiverRecord(file, record); });
      },
      file_name);
  if (identity < 0) {
    m_DiskIdentity = -1;
    m_HasUpdatedDiskIdentity = 0;
    ReportComposed([] {
      return GetLanguageText(979) + " " + ReceiversDirectory() + " Err:" +
             Error(kTooManyFiles, "Too many files").Description();
    });
    return false;
  }
  m_DiskIdentity = identity;
  m_HasUpdatedDiskIdentity = is_new ? -1 : 0;
  if (steps.Failed()) {
    ReportComposed(
        [&] { return GetLanguageText(979) + " " + file_name + " Err:" + steps.LastDescription(); });
    return false;
  }
  StepRecorder snapshot;
  snapshot.Try([&] { RememberOriginalSettings(); });
  return true;
}

bool cReceiver::LoadFromDisk(int16_t disk_identity) {
  const std::string file_name = CreateFileName(disk_identity);
  StepRecorder steps;
  bool result = false;
  bool rewrite = false;

  BinaryFile file;
  int16_t version = 0;
  if (OpenRecordFileForLoad(file_name, ReceiversDirectory(), file, steps, version)) {
    if (version == kReceiverFileVersion3 || version == kReceiverFileVersion4 ||
        version == kReceiverFileVersion) {
      // Read into a record and apply only a complete one, so that a cut or
      // corrupt file leaves the receiver as it was.
      ReceiverRecord record;
      if (steps.Try([&] { record = ReadReceiverRecord(file, version); })) {
        m_Enabled = record.enabled;
        m_ReceiverName = record.name;
        m_Settings = record.settings;
        m_BackupReceiver = record.backup;
        if (version == kReceiverFileVersion) m_FileDateTimeStamp = record.file_time_stamp;
        // After the settings: the keep-alive interval is the loaded one's.
        // A type settings file that cannot be read leaves the interval 0;
        // the receiver is loaded all the same, and the file named.
        std::optional<TemplateFailure> unreadable;
        steps.Try([&] { unreadable = DeriveFromType(record.type_id); });
        if (unreadable) {
          ReportComposed([&] {
            return GetLanguageText(978) + " '" + unreadable->path + "' Err:" + unreadable->description;
          });
        }
        result = true;
        // Without the rewrite nothing is converted, so there is nothing to tell.
        if (version != kReceiverFileVersion && RewriteOldVersionsOnLoad()) {
          ReportComposed([&] {
            return GetLanguageText(888) + " '" + file_name + "' (version " + std::to_string(version) +
                   " -> " + std::to_string(kReceiverFileVersion) + ")";
          });
          rewrite = true;
        }
      }
    } else {
      ReportComposed([&] {
        return GetLanguageText(803) + " '" + file_name + "' (" + std::to_string(version) + ") " +
               GetLanguageText(804);
      });
    }
    m_DiskIdentity = disk_identity;
  }
  // A file of 0 or 1 bytes is not read: False, with no message of its own.

  FinishRecordFileLoad(file_name, 978, file, steps, result, rewrite);
  if (rewrite) SaveToDisk();  // its own failure is reported by itself
  StepRecorder snapshot;
  snapshot.Try([&] { RememberOriginalSettings(); });
  return result;
}

}  // namespace quindo
