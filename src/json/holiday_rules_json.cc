#include "json/holiday_rules_json.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <nlohmann/json.hpp>

#include "common/error.h"
#include "json/json_fields.h"

namespace quindo {
namespace {

using nlohmann::json;

int32_t ToInt32(const json& value, const std::string& where) {
  return static_cast<int32_t>(WholeNumberOf(value, INT32_MIN, INT32_MAX, where));
}

// The values of "Rule".
const std::map<std::string, HolidayRule::Kind>& Kinds() {
  static const std::map<std::string, HolidayRule::Kind> kinds = {
      {"fixed", HolidayRule::Kind::kFixed},
      {"nth-weekday", HolidayRule::Kind::kNthWeekday},
      {"easter", HolidayRule::Kind::kEaster},
  };
  return kinds;
}

// The fields each kind of rule takes besides the common ones.
std::vector<std::string> KindFields(HolidayRule::Kind kind) {
  switch (kind) {
    case HolidayRule::Kind::kFixed: return {"Month", "Day"};
    case HolidayRule::Kind::kNthWeekday: return {"Month", "Weekday", "N"};
    case HolidayRule::Kind::kEaster: return {"Offset"};
  }
  return {};
}

HolidayRule RuleFromJson(const json& object, const std::string& where) {
  if (!object.is_object()) throw JsonInputError(where + ": expected an object");
  const auto required = [&](const char* field) -> const json& {
    const auto found = object.find(field);
    if (found == object.end()) throw JsonInputError(where + ": missing \"" + field + "\"");
    return *found;
  };
  const auto path = [&](const std::string& field) { return where + "." + field; };

  HolidayRule rule;
  const json& kind = required("Rule");
  if (!kind.is_string() || Kinds().count(kind.get<std::string>()) == 0) {
    throw JsonInputError(path("Rule") + ": expected \"fixed\", \"nth-weekday\" or \"easter\", not " + kind.dump());
  }
  rule.kind = Kinds().at(kind.get<std::string>());
  const std::vector<std::string> kind_fields = KindFields(rule.kind);
  for (const auto& [key, value] : object.items()) {
    const bool known = key == "Rule" || key == "Label" || key == "DayType" || key == "ViewInCalendar" ||
                       key == "FromYear" || key == "ToYear" ||
                       std::find(kind_fields.begin(), kind_fields.end(), key) != kind_fields.end();
    if (!known) throw JsonInputError("unknown field \"" + path(key) + "\"");
  }

  const json& label = required("Label");
  if (!label.is_string()) throw JsonInputError(path("Label") + ": expected a text");
  rule.label = label.get<std::string>();
  rule.day_type = ToInt32(required("DayType"), path("DayType"));
  rule.view_in_calendar = FlagOf(required("ViewInCalendar"), path("ViewInCalendar")) != 0;
  if (object.contains("FromYear")) rule.from_year = ToInt32(object["FromYear"], path("FromYear"));
  if (object.contains("ToYear")) rule.to_year = ToInt32(object["ToYear"], path("ToYear"));

  switch (rule.kind) {
    case HolidayRule::Kind::kFixed:
      rule.month = ToInt32(required("Month"), path("Month"));
      rule.day = ToInt32(required("Day"), path("Day"));
      break;
    case HolidayRule::Kind::kNthWeekday:
      rule.month = ToInt32(required("Month"), path("Month"));
      rule.weekday = ToInt32(required("Weekday"), path("Weekday"));
      rule.n = ToInt32(required("N"), path("N"));
      break;
    case HolidayRule::Kind::kEaster:
      rule.offset = ToInt32(required("Offset"), path("Offset"));
      break;
  }
  return rule;
}

}  // namespace

std::vector<HolidayRule> HolidayRulesFromJsonText(const std::string& text) {
  return HolidayRulesFromJson(ParseJsonDocument(text));
}

std::vector<HolidayRule> HolidayRulesFromJson(const json& input) {
  if (!input.is_array()) throw JsonInputError("holiday rules: expected an array of rules");
  std::vector<HolidayRule> rules;
  for (size_t i = 0; i < input.size(); ++i) {
    rules.push_back(RuleFromJson(input[i], "rule " + std::to_string(i + 1)));
  }
  try {
    CheckHolidayRules(rules);
  } catch (const Error& e) {
    throw JsonInputError(e.Description());
  }
  return rules;
}

std::vector<HolidayRule> ReadHolidayRulesFile(const std::string& path) {
  // A rules file holds a few dozen rules; a huge or endless file is refused
  // before it costs more memory than that.
  constexpr size_t kLongestRulesFile = 1 << 20;
  const json rules = ReadJsonFile(path, kLongestRulesFile);
  try {
    return HolidayRulesFromJson(rules);
  } catch (const JsonInputError& e) {
    throw JsonInputError(path + ": " + e.what());
  }
}

}  // namespace quindo
