#pragma once
// Holiday rules files: a JSON array of rules, each
//   {"Label": text, "DayType": 1..23, "ViewInCalendar": true|false,
//    "Rule": "fixed", "Month": m, "Day": d}
//   ... "Rule": "nth-weekday", "Month": m, "Weekday": 1..7 (Monday = 1), "N": 1..5 or -1
//   ... "Rule": "easter", "Offset": days after Easter Sunday
// with optional "FromYear" and "ToYear".

#include <string>
#include <vector>

#include "model/calendar/holiday_rules.h"

namespace quindo::records {

// Reads the rules from JSON text. Bad JSON, a missing or unknown field (one
// that belongs to another kind of rule included) or a value of the wrong
// type raises InputError naming the rule and field; ranges are checked by
// CheckHolidayRules, which this calls too, its error 5 becoming InputError.
std::vector<HolidayRule> HolidayRulesFromJson(const std::string& text);

// Reads a rules file; a file that cannot be read raises InputError.
std::vector<HolidayRule> ReadHolidayRulesFile(const std::string& path);

}  // namespace quindo::records
