#include "profile_json.h"

#include <functional>
#include <map>
#include <string>

namespace quindo::records {
namespace {

using nlohmann::json;
using nlohmann::ordered_json;

int16_t ToInt16(const json& value, const std::string& where) {
  if (!value.is_number_integer()) throw InputError(where + ": expected a whole number");
  const bool fits = value.is_number_unsigned() ? value.get<uint64_t>() <= 32767
                                               : value.get<int64_t>() >= -32768 &&
                                                     value.get<int64_t>() <= 32767;
  if (!fits) throw InputError(where + ": " + value.dump() + " is outside -32768..32767");
  return static_cast<int16_t>(value.get<int64_t>());
}

std::string ToText(const json& value, const std::string& where) {
  if (!value.is_string()) throw InputError(where + ": expected a text");
  return value.get<std::string>();
}

const json& ArrayOf(const json& value, size_t size, const std::string& where) {
  if (!value.is_array() || (size != 0 && value.size() != size)) {
    throw InputError(where + ": expected an array" +
                     (size != 0 ? " of " + std::to_string(size) + " elements" : std::string()));
  }
  return value;
}

// Runs the handler of every member; a member without one is an error, so
// that a misspelt field is not silently dropped.
void ForEachMember(const json& object, const std::string& where,
                   const std::map<std::string, std::function<void(const json&, const std::string&)>>& handlers) {
  if (!object.is_object()) throw InputError(where + ": expected an object");
  for (const auto& [key, value] : object.items()) {
    const auto handler = handlers.find(key);
    const std::string path = where.empty() ? key : where + "." + key;
    if (handler == handlers.end()) throw InputError("unknown field \"" + path + "\"");
    handler->second(value, path);
  }
}

ordered_json ScheduleToJson(const cTimeSchedule& schedule) {
  ordered_json day_types = ordered_json::array();
  for (int16_t d = 0; d < cTimeSchedule::kDayTypes; ++d) {
    ordered_json periods = ordered_json::array();
    for (const PeriodRef& period : schedule.Periods(d)) {
      periods.push_back({period->m_StartMinute, period->m_StopMinute});
    }
    day_types.push_back({{"Active", schedule.GetActive(d)},
                         {"Grouped", schedule.GetGrouped(d)},
                         {"Axis", schedule.GetAxisOfDayType(d)},
                         {"Periods", std::move(periods)}});
  }
  return {{"UseCalendar", schedule.m_UseCalendar}, {"DayTypes", std::move(day_types)}};
}

void ScheduleFromJson(const json& object, const std::string& where, cTimeSchedule& schedule) {
  ForEachMember(object, where, {
    {"UseCalendar", [&](const json& v, const std::string& w) { schedule.m_UseCalendar = ToInt16(v, w); }},
    {"DayTypes", [&](const json& v, const std::string& w) {
      ArrayOf(v, cTimeSchedule::kDayTypes, w);
      for (int16_t d = 0; d < cTimeSchedule::kDayTypes; ++d) {
        ForEachMember(v[d], w + "[" + std::to_string(d) + "]", {
          {"Active", [&](const json& x, const std::string& p) { schedule.SetActive(d, ToInt16(x, p)); }},
          {"Grouped", [&](const json& x, const std::string& p) { schedule.SetGrouped(d, ToInt16(x, p)); }},
          {"Axis", [&](const json& x, const std::string& p) { schedule.SetAxisOfDayType(d, ToInt16(x, p)); }},
          {"Periods", [&](const json& x, const std::string& p) {
            ArrayOf(x, 0, p);
            auto& list = schedule.Periods(d);
            list.clear();
            for (size_t i = 0; i < x.size(); ++i) {
              const std::string at = p + "[" + std::to_string(i) + "]";
              ArrayOf(x[i], 2, at);
              list.push_back(std::make_shared<cTimeSchedulePeriod>(
                  cTimeSchedulePeriod{ToInt16(x[i][0], at + "[0]"), ToInt16(x[i][1], at + "[1]")}));
            }
          }},
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
  j["Enabled"] = p.m_Enabled;
  j["States"] = std::move(states);
  j["UseTimeSchedule"] = p.m_UseTimeSchedule;
  j["ParallellReceivers"] = p.m_ParallellReceivers;
  j["SequentialReceivers"] = p.m_SequentialReceivers;
  j["Conditions"] = std::move(conditions);
  j["TimeSchedule_ViewDayType"] = p.m_TimeSchedule_ViewDayType;
  j["Calendar_ViewTimeAxis"] = p.m_Calendar_ViewTimeAxis;
  j["UseExternalTag"] = p.m_UseExternalTag;
  j["ExternalTagName"] = p.m_ExternalTagName;
  j["IgnoreExternalTagInOtherProfiles"] = p.m_IgnoreExternalTagInOtherProfiles;
  j["UseExternalFile"] = p.m_UseExternalFile;
  j["ExternalFileName"] = p.m_ExternalFileName;
  j["ExternalFileText"] = p.m_ExternalFileText;
  j["ScanSpecificSystems"] = p.m_ScanSpecificSystems;
  j["Systems"] = std::move(systems);
  j["OffDutyAlarmBehaviour"] = p.m_OffDutyAlarmBehaviour;
  j["FileDateTimeStamp"] = p.m_FileDateTimeStamp;
  j["TimeSchedule"] = p.m_TimeSchedule ? ScheduleToJson(*p.m_TimeSchedule) : ordered_json();
  return j;
}

void ProfileFromJson(const json& json_profile, cProfile& p) {
  if (p.m_TimeSchedule == nullptr) p.m_TimeSchedule = std::make_shared<cTimeSchedule>();
  const auto number = [](int16_t& field) {
    return [&field](const json& v, const std::string& w) { field = ToInt16(v, w); };
  };
  const auto text = [](std::string& field) {
    return [&field](const json& v, const std::string& w) { field = ToText(v, w); };
  };
  ForEachMember(json_profile, "", {
    {"DiskIdentity", number(p.m_DiskIdentity)},
    {"Name", [&](const json& v, const std::string& w) { p.SetName(ToText(v, w)); }},
    {"Enabled", number(p.m_Enabled)},
    {"States", [&](const json& v, const std::string& w) {
      ArrayOf(v, cProfile::kStates, w);
      for (int16_t i = 0; i < cProfile::kStates; ++i) p.SetState(i, ToInt16(v[i], w + "[" + std::to_string(i) + "]"));
    }},
    {"UseTimeSchedule", number(p.m_UseTimeSchedule)},
    {"ParallellReceivers", text(p.m_ParallellReceivers)},
    {"SequentialReceivers", text(p.m_SequentialReceivers)},
    {"Conditions", [&](const json& v, const std::string& w) {
      ArrayOf(v, cProfile::kConditions, w);
      for (int16_t i = 0; i < cProfile::kConditions; ++i) {
        p.SetCondition(i, TypedValue::Text(ToText(v[i], w + "[" + std::to_string(i) + "]")));
      }
    }},
    {"TimeSchedule_ViewDayType", number(p.m_TimeSchedule_ViewDayType)},
    {"Calendar_ViewTimeAxis", number(p.m_Calendar_ViewTimeAxis)},
    {"UseExternalTag", number(p.m_UseExternalTag)},
    {"ExternalTagName", text(p.m_ExternalTagName)},
    {"IgnoreExternalTagInOtherProfiles", number(p.m_IgnoreExternalTagInOtherProfiles)},
    {"UseExternalFile", number(p.m_UseExternalFile)},
    {"ExternalFileName", text(p.m_ExternalFileName)},
    {"ExternalFileText", text(p.m_ExternalFileText)},
    {"ScanSpecificSystems", number(p.m_ScanSpecificSystems)},
    {"Systems", [&](const json& v, const std::string& w) {
      ArrayOf(v, cProfile::kSystems, w);
      for (int16_t i = 0; i < cProfile::kSystems; ++i) p.SetSystem(i, ToInt16(v[i], w + "[" + std::to_string(i) + "]"));
    }},
    {"OffDutyAlarmBehaviour", number(p.m_OffDutyAlarmBehaviour)},
    {"FileDateTimeStamp", [&](const json& v, const std::string& w) {
      if (!v.is_number()) throw InputError(w + ": expected a number");
      p.m_FileDateTimeStamp = v.get<double>();
    }},
    {"TimeSchedule", [&](const json& v, const std::string& w) { ScheduleFromJson(v, w, *p.m_TimeSchedule); }},
  });
}

}  // namespace quindo::records
