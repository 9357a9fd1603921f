#include "json/profile_json.h"

#include <string>

namespace quindo {
namespace {

using nlohmann::json;
using nlohmann::ordered_json;

ordered_json ScheduleToJson(const cTimeSchedule& schedule) {
  ordered_json day_types = ordered_json::array();
  for (int16_t d = 0; d < cTimeSchedule::kDayTypes; ++d) {
    ordered_json periods = ordered_json::array();
    for (const PeriodRef& period : schedule.Periods(d)) {
      periods.push_back({period->m_StartMinute, period->m_StopMinute});
    }
    day_types.push_back({{"Active", FlagToJson(schedule.GetActive(d))},
                         {"Grouped", FlagToJson(schedule.GetGrouped(d))},
                         {"Axis", schedule.GetAxisOfDayType(d)},
                         {"Periods", std::move(periods)}});
  }
  return {{"UseCalendar", FlagToJson(schedule.m_UseCalendar)}, {"DayTypes", std::move(day_types)}};
}

void PeriodsFromJson(const json& value, const std::string& where, std::vector<PeriodRef>& list) {
  ArrayOf(value, 0, where);
  list.clear();
  for (size_t i = 0; i < value.size(); ++i) {
    const std::string at = ElementPath(where, i);
    ArrayOf(value[i], 2, at);
    list.push_back(std::make_shared<cTimeSchedulePeriod>(
        cTimeSchedulePeriod{Int16Of(value[i][0], ElementPath(at, 0)), Int16Of(value[i][1], ElementPath(at, 1))}));
  }
}

void ScheduleFromJson(const json& object, const std::string& where, cTimeSchedule& schedule) {
  ForEachMember(object, where, {
    {"UseCalendar", [&](const json& v, const std::string& w) { schedule.m_UseCalendar = FlagOf(v, w); }},
    {"DayTypes", [&](const json& v, const std::string& w) {
      ArrayOf(v, cTimeSchedule::kDayTypes, w);
      for (int16_t d = 0; d < cTimeSchedule::kDayTypes; ++d) {
        ForEachMember(v[d], ElementPath(w, d), {
          {"Active", [&](const json& x, const std::string& p) { schedule.SetActive(d, FlagOf(x, p)); }},
          {"Grouped", [&](const json& x, const std::string& p) { schedule.SetGrouped(d, FlagOf(x, p)); }},
          {"Axis", [&](const json& x, const std::string& p) { schedule.SetAxisOfDayType(d, Int16Of(x, p)); }},
          {"Periods", [&](const json& x, const std::string& p) { PeriodsFromJson(x, p, schedule.Periods(d)); }},
        });
      }
    }},
  });
}

}  // namespace

ordered_json ProfileToJson(const cProfile& p) {
  ordered_json states = ordered_json::array();
  for (int16_t i = 0; i < cProfile::kStates; ++i) states.push_back(p.GetState(i));
  ordered_json conditions = ordered_json::array();
  for (int16_t i = 0; i < cProfile::kConditions; ++i) conditions.push_back(p.GetCondition(i).ToText());
  ordered_json systems = ordered_json::array();
  for (int16_t i = 0; i < cProfile::kSystems; ++i) systems.push_back(p.GetSystem(i).ToInt16());
  ordered_json j;
  j["DiskIdentity"] = p.m_DiskIdentity;
  j["Name"] = p.GetName();
  j["Enabled"] = FlagToJson(p.m_Enabled);
  j["States"] = std::move(states);
  j["UseTimeSchedule"] = FlagToJson(p.m_UseTimeSchedule);
  j["ParallellReceivers"] = p.m_ParallellReceivers;
  j["SequentialReceivers"] = p.m_SequentialReceivers;
  j["Conditions"] = std::move(conditions);
  j["TimeSchedule_ViewDayType"] = p.m_TimeSchedule_ViewDayType;
  j["Calendar_ViewTimeAxis"] = p.m_Calendar_ViewTimeAxis;
  j["UseExternalTag"] = FlagToJson(p.m_UseExternalTag);
  j["ExternalTagName"] = p.m_ExternalTagName;
  j["IgnoreExternalTagInOtherProfiles"] = FlagToJson(p.m_IgnoreExternalTagInOtherProfiles);
  j["UseExternalFile"] = FlagToJson(p.m_UseExternalFile);
  j["ExternalFileName"] = p.m_ExternalFileName;
  j["ExternalFileText"] = p.m_ExternalFileText;
  j["ScanSpecificSystems"] = FlagToJson(p.m_ScanSpecificSystems);
  j["Systems"] = std::move(systems);
  j["OffDutyAlarmBehaviour"] = p.m_OffDutyAlarmBehaviour;
  j["FileDateTimeStamp"] = p.m_FileDateTimeStamp;
  j["TimeSchedule"] = p.m_TimeSchedule ? ScheduleToJson(*p.m_TimeSchedule) : ordered_json();
  return j;
}

void ProfileFromJson(const json& json_profile, cProfile& p, const std::string& where) {
  if (p.m_TimeSchedule == nullptr) p.m_TimeSchedule = std::make_shared<cTimeSchedule>();
  const auto number = [](int16_t& field) {
    return [&field](const json& v, const std::string& w) { field = Int16Of(v, w); };
  };
  const auto flag = [](int16_t& field) {
    return [&field](const json& v, const std::string& w) { field = FlagOf(v, w); };
  };
  const auto text = [](std::string& field) {
    return [&field](const json& v, const std::string& w) { field = TextOf(v, w); };
  };
  // An indexed table of the profile, filled through its setter.
  const auto table = [](int16_t size, const std::function<void(int16_t, const json&, const std::string&)>& set) {
    return [size, set](const json& v, const std::string& w) {
      ArrayOf(v, size, w);
      for (int16_t i = 0; i < size; ++i) set(i, v[i], ElementPath(w, i));
    };
  };
  ForEachMember(json_profile, where, {
    {"DiskIdentity", [&](const json& v, const std::string& w) { p.m_DiskIdentity = DiskIdentityOf(v, w); }},
    {"Name", [&](const json& v, const std::string& w) { p.SetName(TextOf(v, w)); }},
    {"Enabled", flag(p.m_Enabled)},
    {"States", table(cProfile::kStates, [&](int16_t i, const json& v, const std::string& w) {
       p.SetState(i, Int16Of(v, w));
     })},
    {"UseTimeSchedule", flag(p.m_UseTimeSchedule)},
    {"ParallellReceivers", text(p.m_ParallellReceivers)},
    {"SequentialReceivers", text(p.m_SequentialReceivers)},
    {"Conditions", table(cProfile::kConditions, [&](int16_t i, const json& v, const std::string& w) {
       p.SetCondition(i, TypedValue::Text(TextOf(v, w)));
     })},
    {"TimeSchedule_ViewDayType", number(p.m_TimeSchedule_ViewDayType)},
    {"Calendar_ViewTimeAxis", number(p.m_Calendar_ViewTimeAxis)},
    {"UseExternalTag", flag(p.m_UseExternalTag)},
    {"ExternalTagName", text(p.m_ExternalTagName)},
    {"IgnoreExternalTagInOtherProfiles", flag(p.m_IgnoreExternalTagInOtherProfiles)},
    {"UseExternalFile", flag(p.m_UseExternalFile)},
    {"ExternalFileName", text(p.m_ExternalFileName)},
    {"ExternalFileText", text(p.m_ExternalFileText)},
    {"ScanSpecificSystems", flag(p.m_ScanSpecificSystems)},
    {"Systems", table(cProfile::kSystems, [&](int16_t i, const json& v, const std::string& w) {
       p.SetSystem(i, Int16Of(v, w));
     })},
    {"OffDutyAlarmBehaviour", number(p.m_OffDutyAlarmBehaviour)},
    {"FileDateTimeStamp", [&](const json& v, const std::string& w) { p.m_FileDateTimeStamp = NumberOf(v, w); }},
    {"TimeSchedule", [&](const json& v, const std::string& w) { ScheduleFromJson(v, w, *p.m_TimeSchedule); }},
  });
}

}  // namespace quindo
