#include "protocol/profile_message.h"

#include <memory>

#include "common/code_page.h"
#include "common/error.h"
#include "model/profile/profile.h"
#include "model/schedule/time_schedule.h"
#include "protocol/field_codec.h"

namespace quindo {
namespace {

std::string ExtractText(std::string_view body, int32_t& cursor) {
  return BytesToText(ExtractString(body, cursor));
}

void AppendText(std::string& out, const std::string& utf8) { AppendString(out, TextToBytes(utf8)); }

}  // namespace

void ExtractProfile(cProfile& profile, std::string_view body, int32_t& cursor) {
  profile.m_DiskIdentity = ExtractInteger(body, cursor);
  profile.m_Enabled = ExtractInteger(body, cursor);
  profile.SetName(ExtractText(body, cursor));
  for (int16_t i = 0; i < cProfile::kStates; ++i) profile.SetState(i, ExtractInteger(body, cursor));
  profile.m_UseTimeSchedule = ExtractInteger(body, cursor);
  ExtractInteger(body, cursor);  // fields 8 and 9 carry nothing the profile keeps
  ExtractInteger(body, cursor);
  profile.m_ParallellReceivers = ExtractText(body, cursor);
  profile.m_SequentialReceivers = ExtractText(body, cursor);
  for (int16_t i = 0; i < cProfile::kConditions; ++i) {
    profile.SetCondition(i, TypedValue::Text(ExtractText(body, cursor)));
  }
  profile.m_TimeSchedule_ViewDayType = ExtractInteger(body, cursor);
  profile.m_Calendar_ViewTimeAxis = ExtractInteger(body, cursor);
  profile.m_UseExternalTag = ExtractInteger(body, cursor);
  profile.m_ExternalTagName = ExtractText(body, cursor);
  profile.m_IgnoreExternalTagInOtherProfiles = ExtractInteger(body, cursor);
  profile.m_UseExternalFile = ExtractInteger(body, cursor);
  profile.m_ExternalFileName = ExtractText(body, cursor);
  profile.m_ExternalFileText = ExtractText(body, cursor);
  profile.m_ScanSpecificSystems = ExtractInteger(body, cursor);
  for (int16_t i = 0; i < cProfile::kSystems; ++i) profile.SetSystem(i, ExtractInteger(body, cursor));
  profile.m_OffDutyAlarmBehaviour = ExtractInteger(body, cursor);

  if (profile.m_TimeSchedule == nullptr) profile.m_TimeSchedule = std::make_shared<cTimeSchedule>();
  profile.m_TimeSchedule->ExtractPeriodArray(ExtractString(body, cursor));
}

std::string ComposeProfileMessage(const cProfile& profile) {
  if (profile.m_TimeSchedule == nullptr) throw Error(kObjectRequired);
  std::string out;
  out.reserve(1024);
  AppendInteger(out, profile.m_DiskIdentity);
  AppendInteger(out, profile.m_Enabled);
  AppendText(out, profile.GetName());
  for (int16_t i = 0; i < cProfile::kStates; ++i) AppendInteger(out, profile.GetState(i));
  AppendInteger(out, profile.m_UseTimeSchedule);
  AppendInteger(out, 0);
  AppendInteger(out, 0);
  AppendText(out, profile.m_ParallellReceivers);
  AppendText(out, profile.m_SequentialReceivers);
  for (int16_t i = 0; i < cProfile::kConditions; ++i) AppendText(out, profile.GetCondition(i).ToText());
  AppendInteger(out, profile.m_TimeSchedule_ViewDayType);
  AppendInteger(out, profile.m_Calendar_ViewTimeAxis);
  AppendInteger(out, profile.m_UseExternalTag);
  AppendText(out, profile.m_ExternalTagName);
  AppendInteger(out, profile.m_IgnoreExternalTagInOtherProfiles);
  AppendInteger(out, profile.m_UseExternalFile);
  AppendText(out, profile.m_ExternalFileName);
  AppendText(out, profile.m_ExternalFileText);
  AppendInteger(out, profile.m_ScanSpecificSystems);
  for (int16_t i = 0; i < cProfile::kSystems; ++i) AppendInteger(out, profile.GetSystem(i).ToInt16());
  AppendInteger(out, profile.m_OffDutyAlarmBehaviour);
  AppendString(out, profile.m_TimeSchedule->ComposePeriodArray());
  return out;
}

}  // namespace quindo
