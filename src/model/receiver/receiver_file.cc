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
  ReceiverRecord record;
  record.enabled = m_Enabled;
  record.type_id = m_ReceiverTypeId;
  record.name = m_ReceiverName;
  record.settings = m_Settings;
  record.backup = m_BackupReceiver;
  record.file_time_stamp = Now();
  return SaveRecord(*this, ReceiversDirectory(), kReceiverFileTexts,
                    [&](int16_t id, BinaryFile& file, StepRecorder& steps) {
                      record.disk_identity = id;  // the file holds its own identity
                      steps.Try([&] { file.WriteInt16(kReceiverFileVersion); });
                      steps.Try([&] { WriteReceiverRecord(file, record); });
                    });
}

bool cReceiver::LoadFromDisk(int16_t disk_identity) {
  const RecordFileLoad load = LoadRecordFile(
      CreateFileName(disk_identity), ReceiversDirectory(), kReceiverFileTexts,
      {kReceiverFileVersion3, kReceiverFileVersion4, kReceiverFileVersion}, kReceiverFileVersion,
      [&](BinaryFile& file, int16_t version, StepRecorder& steps) {
        // Read into a record and apply only a complete one, so that a cut or
        // corrupt file leaves the receiver as it was.
        ReceiverRecord record;
        if (!steps.Try([&] { record = ReadReceiverRecord(file, version); })) return false;
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
        return true;
      });
  // Without a file to read, the identity stays as it was.
  if (load.opened) m_DiskIdentity = disk_identity;
  return FinishRecordLoad(*this, load);
}

}  // namespace quindo
