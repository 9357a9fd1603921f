#pragma once
// One alarm-forwarding profile: its name, enabled flag, states, conditions,
// per-system values, receiver, external-tag and external-file settings, and
// its weekly time schedule. Profiles copy themselves deeply, tell whether
// they changed since their snapshot, and read and write their own file.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "common/export.h"
#include "common/typed_value.h"
#include "model/schedule/time_schedule.h"

namespace quindo {

class BinaryFile;
class StepRecorder;

class QUINDO_EXPORT cProfile {
 public:
  static constexpr int kStates = 3;
  static constexpr int kConditions = 6;
  static constexpr int kSystems = 64;

  // m_DiskIdentity -1, m_Enabled True, everything else zero, empty or absent
  // (no schedule: the builder of the profile creates it).
  cProfile() = default;
  // No value copy: it would share the schedule objects with the original, so
  // that editing one profile's periods edits the other's. CopyFrom makes the
  // deep copy; moving hands the schedules over.
  cProfile(const cProfile&) = delete;
  cProfile& operator=(const cProfile&) = delete;
  cProfile(cProfile&&) = default;
  cProfile& operator=(cProfile&&) = default;

  // Public fields, in declaration order. Flags are -1/0; readers treat any
  // non-zero value as true.
  int16_t m_DiskIdentity = -1;
  int16_t m_Enabled = -1;
  std::string m_ParentName;
  int16_t m_NestingLevels = 0;
  int16_t m_UseTimeSchedule = 0;
  std::string m_ParallellReceivers;
  std::string m_SequentialReceivers;
  int16_t m_TimeSchedule_ViewDayType = 0;
  int16_t m_Calendar_ViewTimeAxis = 0;
  int16_t m_UseExternalTag = 0;
  std::string m_ExternalTagName;
  int16_t m_IgnoreExternalTagInOtherProfiles = 0;
  int16_t m_UseExternalFile = 0;
  std::string m_ExternalFileName;
  std::string m_ExternalFileText;
  int16_t m_ScanSpecificSystems = 0;
  int16_t m_OffDutyAlarmBehaviour = 0;
  std::shared_ptr<cTimeSchedule> m_TimeSchedule;
  double m_FileDateTimeStamp = 0;

  // Snapshot of the stored fields, taken by RememberOriginalSettings.
  int16_t m_Original_Enabled = 0;
  std::string m_Original_ParentName;
  int16_t m_Original_NestingLevels = 0;
  int16_t m_Original_UseTimeSchedule = 0;
  std::string m_Original_ParallellReceivers;
  std::string m_Original_SequentialReceivers;
  int16_t m_Original_TimeSchedule_ViewDayType = 0;
  int16_t m_Original_Calendar_ViewTimeAxis = 0;
  int16_t m_Original_UseExternalTag = 0;
  std::string m_Original_ExternalTagName;
  int16_t m_Original_IgnoreExternalTagInOtherProfiles = 0;
  int16_t m_Original_UseExternalFile = 0;
  std::string m_Original_ExternalFileName;
  std::string m_Original_ExternalFileText;
  int16_t m_Original_ScanSpecificSystems = 0;
  int16_t m_Original_OffDutyAlarmBehaviour = 0;
  std::shared_ptr<cTimeSchedule> m_Original_TimeSchedule;
  int16_t m_HasUpdatedDiskIdentity = 0;

  // Snapshot of every stored field and a new copy of the schedule. Without a
  // schedule it raises error 424 after the other fields were copied and the
  // new, empty snapshot schedule was created.
  void RememberOriginalSettings();
  // True when a stored field differs from its snapshot; groups are compared
  // in order and the schedules (composed texts) only when the others match.
  // Raises 424 when it reaches the schedules and either is absent.
  bool HasChangedSinceLastLoadFromDisk() const;
  // Copies every stored field through the source's accessors; the schedule is
  // copied deeply through its period array text. Copying from itself leaves
  // the schedule as it was. Without a source schedule it raises 424 after the
  // other fields were copied and a new, empty target schedule was created.
  void CopyFrom(const cProfile& profile);

  const std::string& GetName() const { return m_Name; }
  // Stores the name and, when NestedProfileNames is on, derives the upper-case
  // parent name (text before the last "@") and the number of "@".
  void SetName(const std::string& new_name);

  // Index outside 0..2 / 0..5 / 0..63 raises error 9 and changes nothing.
  int16_t GetState(int16_t index) const;
  int16_t SetState(int16_t index, int16_t new_value);  // always 0
  TypedValue GetCondition(int16_t index) const;        // a text value
  // Stores the value's text form; a null raises 94, nothing changed.
  void SetCondition(int16_t index, const TypedValue& new_value);
  TypedValue GetSystem(int16_t index) const;  // a 16-bit number value
  TypedValue SetSystem(int16_t index, int16_t new_value);  // an empty value

  // Profile file operations (profile_file.cc, profile_naming.cc).
  std::string CreateFileName(int16_t disk_identity) const;
  bool SaveToDisk();
  bool LoadFromDisk(int16_t disk_identity);
  bool RemoveFromDisk(int16_t disk_identity);
  void StoreInDeletedFileForRedundantPartner(int16_t disk_identity);

 private:
  std::string m_Name;
  std::array<int16_t, kStates> m_States{};
  std::array<std::string, kConditions> m_Conditions;
  std::array<int16_t, kSystems> m_Systems{};

  std::string m_Original_Name;
  std::array<int16_t, kStates> m_Original_States{};
  std::array<std::string, kConditions> m_Original_Conditions;
  std::array<int16_t, kSystems> m_Original_Systems{};
};

}  // namespace quindo
