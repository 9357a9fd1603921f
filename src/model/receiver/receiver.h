#pragma once
// One receiver: a destination to which the alarm server forwards alarms. It
// holds its name, enabled flag, type (a row of the process-wide receiver type
// table, which gives the type name and the keep-alive interval), four free
// settings kept with their kind, and the name of a backup receiver. Receivers
// copy themselves, tell whether they changed since their snapshot, and read
// and write their own file.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "common/typed_value.h"
#include "common/export.h"

namespace quindo {

class QUINDO_EXPORT cReceiver {
 public:
  static constexpr int kSettings = 4;

  // m_DiskIdentity, m_ReceiverTypeIndex and the type -1, m_Enabled True,
  // everything else zero or empty, the snapshot included (so a new receiver
  // reports a change).
  cReceiver() = default;

  // Public fields, in declaration order. Flags are -1/0; readers treat any
  // non-zero value as true.
  int16_t m_DiskIdentity = -1;
  int16_t m_Enabled = -1;
  int16_t m_ReceiverTypeIndex = -1;  // row in ReceiverTypes, -1 = not found
  std::string m_ReceiverTypeName;
  std::string m_ReceiverName;
  std::string m_BackupReceiver;
  double m_FileDateTimeStamp = 0;
  int16_t m_SendingFailed = 0;  // the server's; nothing here touches it
  double m_LastKeepAlive = 0;
  int32_t m_KeepAliveInterval = 0;  // 0 = no keep-alive; no unit is fixed
  int16_t m_HasUpdatedDiskIdentity = 0;

  int16_t GetReceiverTypeId() const { return m_ReceiverTypeId; }
  // Sets the type and derives the type index, name and keep-alive interval
  // from ReceiverTypes (the first row with the id wins). Without a row the
  // name reads "(" + text 1088 + ": " + last four of "0000" & id + ")" and
  // the interval and last keep-alive keep their values. Protocols "ILM" and
  // "ILMTCP" (any case) take the interval from setting 1 when it is numeric,
  // "T940SI" from key "T11" of section "ReceiverTypeSettings" in the type's
  // settings file (a "\" in its name read as "/"); numbers are read as the
  // platform's Val reads them, exponents and "&H" included; failures there
  // leave it 0. The last keep-alive becomes
  // now when the interval is positive, else 0. Returns an empty value.
  TypedValue SetReceiverTypeId(int16_t type_id);

  // Index outside 0..3 raises error 9 and changes nothing; the value keeps
  // its kind both ways.
  TypedValue GetSetting(int16_t index) const;
  void SaveSetting(int16_t index, const TypedValue& new_value);

  // Copies type, name, enabled flag, backup, settings and last keep-alive.
  // The type is derived after the settings are in place, so the keep-alive
  // interval is the one of the copied settings; the last keep-alive is the
  // source's. Identity, time stamp and snapshot stay.
  void CopyFrom(const cReceiver& receiver);

  // Snapshot of type, name, enabled flag, backup and settings.
  void RememberOriginalSettings();
  // True when a snapshot field differs; settings compare as typed values
  // (numbers by value whatever their width, a number never equals a text,
  // empty equals 0 and ""); a null setting equals only a null.
  bool HasChangedSinceLastLoadFromDisk() const;

  // Receiver file operations (receiver_file.cc).
  std::string CreateFileName(int16_t disk_identity) const;
  bool SaveToDisk();
  bool LoadFromDisk(int16_t disk_identity);
  bool RemoveFromDisk(int16_t disk_identity);
  void StoreInDeletedFileForRedundantPartner(int16_t disk_identity);

 private:
  // A type settings file that could not be read: its path and the error.
  struct TemplateFailure {
    std::string path;
    std::string description;
  };
  // SetReceiverTypeId's work; also tells of a settings file that the type
  // takes its interval from and that could not be read, which the load
  // reports (SetReceiverTypeId and CopyFrom pass over it, as the rule says).
  std::optional<TemplateFailure> DeriveFromType(int16_t type_id);

  int16_t m_ReceiverTypeId = -1;
  std::array<TypedValue, kSettings> m_Settings;

  int16_t m_Original_ReceiverTypeId = 0;
  std::string m_Original_ReceiverName;
  int16_t m_Original_Enabled = 0;
  std::string m_Original_BackupReceiver;
  std::array<TypedValue, kSettings> m_Original_Settings;
};

}  // namespace quindo
