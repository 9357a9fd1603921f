#include "model/profile/profile_record.h"

#include "common/binary_file.h"
#include "common/error.h"
#include "common/typed_value.h"
#include "model/profile/profile.h"

namespace quindo {

ProfileRecord RecordOfProfile(const cProfile& profile, double time_stamp) {
  ProfileRecord r;
  r.enabled = profile.m_Enabled;
  r.name = profile.GetName();
  for (int16_t i = 0; i < cProfile::kStates; ++i) r.states[i] = profile.GetState(i);
  r.use_time_schedule = profile.m_UseTimeSchedule;
  r.parallel_receivers = profile.m_ParallellReceivers;
  r.sequential_receivers = profile.m_SequentialReceivers;
  for (int16_t i = 0; i < cProfile::kConditions; ++i) {
    r.conditions[i] = profile.GetCondition(i).ToText();
  }
  r.schedule_view_day_type = profile.m_TimeSchedule_ViewDayType;
  r.calendar_view_time_axis = profile.m_Calendar_ViewTimeAxis;
  r.use_external_tag = profile.m_UseExternalTag;
  r.external_tag_name = profile.m_ExternalTagName;
  r.ignore_external_tag_in_other_profiles = profile.m_IgnoreExternalTagInOtherProfiles;
  r.use_external_file = profile.m_UseExternalFile;
  r.external_file_name = profile.m_ExternalFileName;
  r.external_file_text = profile.m_ExternalFileText;
  r.scan_specific_systems = profile.m_ScanSpecificSystems;
  for (int16_t i = 0; i < cProfile::kSystems; ++i) r.systems[i] = profile.GetSystem(i).ToInt16();
  r.off_duty_alarm_behaviour = profile.m_OffDutyAlarmBehaviour;
  r.file_time_stamp = time_stamp;
  return r;
}

void ApplyRecordToProfile(const ProfileRecord& r, int16_t version, cProfile& profile) {
  profile.m_Enabled = r.enabled;
  profile.SetName(r.name);
  for (int16_t i = 0; i < cProfile::kStates; ++i) profile.SetState(i, r.states[i]);
  profile.m_UseTimeSchedule = r.use_time_schedule;
  profile.m_OffDutyAlarmBehaviour = r.off_duty_alarm_behaviour;
  profile.m_ParallellReceivers = r.parallel_receivers;
  profile.m_SequentialReceivers = r.sequential_receivers;
  for (int16_t i = 0; i < cProfile::kConditions; ++i) {
    profile.SetCondition(i, TypedValue::Text(r.conditions[i]));
  }
  profile.m_TimeSchedule_ViewDayType = r.schedule_view_day_type;
  profile.m_Calendar_ViewTimeAxis = r.calendar_view_time_axis;
  profile.m_UseExternalTag = r.use_external_tag;
  profile.m_ExternalTagName = r.external_tag_name;
  profile.m_IgnoreExternalTagInOtherProfiles = r.ignore_external_tag_in_other_profiles;
  profile.m_UseExternalFile = r.use_external_file;
  profile.m_ExternalFileName = r.external_file_name;
  profile.m_ExternalFileText = r.external_file_text;
  profile.m_ScanSpecificSystems = r.scan_specific_systems;
  for (int16_t i = 0; i < cProfile::kSystems; ++i) profile.SetSystem(i, r.systems[i]);
  if (version >= kProfileFileVersion) profile.m_FileDateTimeStamp = r.file_time_stamp;
}

void WriteProfileRecord(BinaryFile& file, const ProfileRecord& r) {
  file.WriteInt16(0);  // field 2
  file.WriteInt16(r.enabled);
  file.WriteText(r.name);
  for (int16_t state : r.states) file.WriteInt16(state);
  file.WriteInt16(r.use_time_schedule);
  file.WriteInt16(0);  // field 7
  file.WriteInt16(0);  // field 8
  file.WriteText(r.parallel_receivers);
  file.WriteText(r.sequential_receivers);
  for (const std::string& condition : r.conditions) file.WriteText(condition);
  file.WriteInt16(r.schedule_view_day_type);
  file.WriteInt16(r.calendar_view_time_axis);
  file.WriteInt16(r.use_external_tag);
  file.WriteText(r.external_tag_name);
  file.WriteInt16(r.ignore_external_tag_in_other_profiles);
  file.WriteInt16(r.use_external_file);
  file.WriteText(r.external_file_name);
  file.WriteText(r.external_file_text);
  file.WriteInt16(r.scan_specific_systems);
  for (int16_t system : r.systems) file.WriteInt16(system);
  file.WriteInt16(r.off_duty_alarm_behaviour);
  file.WriteDouble(r.file_time_stamp);
  file.WriteZeros(kProfileReservedBlockSize);
}

ProfileRecord ReadProfileRecord(BinaryFile& file, int16_t version) {
  ProfileRecord r;
  file.ReadInt16();  // field 2
  r.enabled = file.ReadInt16();
  r.name = file.ReadText();
  for (int16_t& state : r.states) state = file.ReadInt16();
  r.use_time_schedule = file.ReadInt16();
  file.ReadInt16();  // field 7
  const int16_t field8 = file.ReadInt16();
  if (version == kOldProfileFileVersion) r.off_duty_alarm_behaviour = field8;
  r.parallel_receivers = file.ReadText();
  r.sequential_receivers = file.ReadText();
  for (std::string& condition : r.conditions) condition = file.ReadText();
  r.schedule_view_day_type = file.ReadInt16();
  r.calendar_view_time_axis = file.ReadInt16();
  r.use_external_tag = file.ReadInt16();
  r.external_tag_name = file.ReadText();
  r.ignore_external_tag_in_other_profiles = file.ReadInt16();
  r.use_external_file = file.ReadInt16();
  r.external_file_name = file.ReadText();
  r.external_file_text = file.ReadText();
  r.scan_specific_systems = file.ReadInt16();
  for (int16_t& system : r.systems) system = file.ReadInt16();
  if (version == kOldProfileFileVersion) return r;
  r.off_duty_alarm_behaviour = file.ReadInt16();
  r.file_time_stamp = file.ReadDouble();
  // Skipped unread, but it must be there: a file cut inside it is truncated.
  constexpr auto kReserved = static_cast<int64_t>(kProfileReservedBlockSize);
  if (file.Length() - file.Position() < kReserved) throw Error(kInputPastEndOfFile);
  file.Seek(file.Position() + kReserved);
  return r;
}

}  // namespace quindo
