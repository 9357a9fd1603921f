#pragma once
// Holiday rules files: a JSON array of rules, each
//   {"Label": text, "DayType": 1..23, "ViewInCalendar": flag,
//    "Rule": "fixed", "Month": m, "Day": d}
//   ... "Rule": "nth-weekday", "Month": m, "Weekday": 1..7 (Monday = 1), "N": 1..5 or -1
//   ... "Rule": "easter", "Offset": days after Easter Sunday
// with optional "FromYear" and "ToYear".

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "common/export.h"
#include "json/json_fields.h"  // JsonInputError
#include "model/calendar/holiday_rules.h"

namespace quindo {

// Reads the rules from a JSON document. A missing or unknown field (one that
// belongs to another kind of rule included) or a value of the wrong type
// raises JsonInputError naming the rule and field; ranges are checked by
// CheckHolidayRules, which this calls too, its error 5 becoming
// JsonInputError.
QUINDO_EXPORT std::vector<HolidayRule> HolidayRulesFromJson(const nlohmann::json& rules);
// The same from JSON text; bad JSON raises JsonInputError.
QUINDO_EXPORT std::vector<HolidayRule> HolidayRulesFromJsonText(const std::string& text);

// Reads a rules file (at most 1 MiB); a file that cannot be read raises
// JsonInputError naming it.
QUINDO_EXPORT std::vector<HolidayRule> ReadHolidayRulesFile(const std::string& path);

}  // namespace quindo
