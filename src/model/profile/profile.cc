#include "model/profile/profile.h"

#include "common/code_page.h"
#include "common/error.h"
#include "common/settings.h"

namespace quindo {
namespace {

template <size_t N>
void CheckIndex(int16_t index) {
  if (index < 0 || static_cast<size_t>(index) >= N) throw Error(kSubscriptOutOfRange);
}

}  // namespace

void cProfile::SetName(const std::string& new_name) {
  m_Name = new_name;
  m_ParentName.clear();
  m_NestingLevels = 0;
  if (NestedProfileNames() == 0) return;
  // Each "@" starts one more nesting level; the parent is everything before
  // the last one.
  for (size_t at = m_Name.find('@'); at != std::string::npos; at = m_Name.find('@', at + 1)) {
    m_ParentName = UpperCase(std::string_view(m_Name).substr(0, at));
    ++m_NestingLevels;
  }
}

int16_t cProfile::GetState(int16_t index) const {
  CheckIndex<kStates>(index);
  return m_States[index];
}

int16_t cProfile::SetState(int16_t index, int16_t new_value) {
  CheckIndex<kStates>(index);
  m_States[index] = new_value;
  return 0;
}

TypedValue cProfile::GetCondition(int16_t index) const {
  CheckIndex<kConditions>(index);
  return TypedValue::Text(m_Conditions[index]);
}

void cProfile::SetCondition(int16_t index, const TypedValue& new_value) {
  CheckIndex<kConditions>(index);
  m_Conditions[index] = new_value.ToText();  // a null raises 94 before the store
}

TypedValue cProfile::GetSystem(int16_t index) const {
  CheckIndex<kSystems>(index);
  return TypedValue::Integer(m_Systems[index]);
}

TypedValue cProfile::SetSystem(int16_t index, int16_t new_value) {
  CheckIndex<kSystems>(index);
  m_Systems[index] = new_value;
  return TypedValue();
}

void cProfile::CopyFrom(const cProfile& profile) {
  m_Enabled = profile.m_Enabled;
  SetName(profile.GetName());
  for (int16_t i = 0; i < kStates; ++i) m_States[i] = profile.GetState(i);
  m_UseTimeSchedule = profile.m_UseTimeSchedule;
  m_ParallellReceivers = profile.m_ParallellReceivers;
  m_SequentialReceivers = profile.m_SequentialReceivers;
  for (int16_t i = 0; i < kConditions; ++i) m_Conditions[i] = profile.GetCondition(i).ToText();
  m_TimeSchedule_ViewDayType = profile.m_TimeSchedule_ViewDayType;
  m_Calendar_ViewTimeAxis = profile.m_Calendar_ViewTimeAxis;
  m_UseExternalTag = profile.m_UseExternalTag;
  m_ExternalTagName = profile.m_ExternalTagName;
  m_IgnoreExternalTagInOtherProfiles = profile.m_IgnoreExternalTagInOtherProfiles;
  m_UseExternalFile = profile.m_UseExternalFile;
  m_ExternalFileName = profile.m_ExternalFileName;
  m_ExternalFileText = profile.m_ExternalFileText;
  m_ScanSpecificSystems = profile.m_ScanSpecificSystems;
  for (int16_t i = 0; i < kSystems; ++i) m_Systems[i] = profile.GetSystem(i).ToInt16();
  m_OffDutyAlarmBehaviour = profile.m_OffDutyAlarmBehaviour;

  // The source's text is composed before the target's schedule is replaced:
  // when the source is this profile, replacing first would copy an empty
  // schedule over the real one.
  const std::shared_ptr<cTimeSchedule> source = profile.m_TimeSchedule;
  std::string period_array;
  if (source != nullptr) period_array = source->ComposePeriodArray();
  m_TimeSchedule = std::make_shared<cTimeSchedule>();
  if (source == nullptr) throw Error(kObjectRequired);
  m_TimeSchedule->ExtractPeriodArray(period_array);
}

void cProfile::RememberOriginalSettings() {
  m_Original_Enabled = m_Enabled;
  m_Original_Name = m_Name;
  m_Original_ParentName = m_ParentName;
  m_Original_NestingLevels = m_NestingLevels;
  m_Original_States = m_States;
  m_Original_UseTimeSchedule = m_UseTimeSchedule;
  m_Original_ParallellReceivers = m_ParallellReceivers;
  m_Original_SequentialReceivers = m_SequentialReceivers;
  m_Original_Conditions = m_Conditions;
  m_Original_TimeSchedule_ViewDayType = m_TimeSchedule_ViewDayType;
  m_Original_Calendar_ViewTimeAxis = m_Calendar_ViewTimeAxis;
  m_Original_UseExternalTag = m_UseExternalTag;
  m_Original_ExternalTagName = m_ExternalTagName;
  m_Original_IgnoreExternalTagInOtherProfiles = m_IgnoreExternalTagInOtherProfiles;
  m_Original_UseExternalFile = m_UseExternalFile;
  m_Original_ExternalFileName = m_ExternalFileName;
  m_Original_ExternalFileText = m_ExternalFileText;
  m_Original_ScanSpecificSystems = m_ScanSpecificSystems;
  m_Original_Systems = m_Systems;
  m_Original_OffDutyAlarmBehaviour = m_OffDutyAlarmBehaviour;

  m_Original_TimeSchedule = std::make_shared<cTimeSchedule>();
  if (m_TimeSchedule == nullptr) throw Error(kObjectRequired);
  m_Original_TimeSchedule->ExtractPeriodArray(m_TimeSchedule->ComposePeriodArray());
}

bool cProfile::HasChangedSinceLastLoadFromDisk() const {
  // Cheap groups first; the schedules are composed only when all else is equal.
  if (m_Name != m_Original_Name || m_Enabled != m_Original_Enabled ||
      m_ParentName != m_Original_ParentName || m_NestingLevels != m_Original_NestingLevels ||
      m_States != m_Original_States) {
    return true;
  }
  if (m_ParallellReceivers != m_Original_ParallellReceivers ||
      m_UseTimeSchedule != m_Original_UseTimeSchedule ||
      m_SequentialReceivers != m_Original_SequentialReceivers ||
      m_Conditions != m_Original_Conditions) {
    return true;
  }
  if (m_TimeSchedule_ViewDayType != m_Original_TimeSchedule_ViewDayType ||
      m_Calendar_ViewTimeAxis != m_Original_Calendar_ViewTimeAxis ||
      m_ExternalTagName != m_Original_ExternalTagName ||
      m_UseExternalTag != m_Original_UseExternalTag ||
      m_IgnoreExternalTagInOtherProfiles != m_Original_IgnoreExternalTagInOtherProfiles ||
      m_UseExternalFile != m_Original_UseExternalFile ||
      m_ExternalFileName != m_Original_ExternalFileName ||
      m_ExternalFileText != m_Original_ExternalFileText ||
      m_ScanSpecificSystems != m_Original_ScanSpecificSystems || m_Systems != m_Original_Systems) {
    return true;
  }
  if (m_Original_TimeSchedule == nullptr || m_TimeSchedule == nullptr) throw Error(kObjectRequired);
  return m_Original_TimeSchedule->ComposePeriodArray() != m_TimeSchedule->ComposePeriodArray() ||
         m_OffDutyAlarmBehaviour != m_Original_OffDutyAlarmBehaviour;
}

}  // namespace quindo
