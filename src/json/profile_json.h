#pragma once
// A profile as JSON. Field names are the member names without "m_"; numbers
// are the stored 16-bit values, flags -1 (true) and 0 (false). The schedule
// is {"UseCalendar": flag, "DayTypes": [23 x {"Active": flag, "Grouped":
// flag, "Axis": n, "Periods": [[start, stop], ...]}]}.

#include <nlohmann/json.hpp>

#include "common/export.h"
#include "json/json_fields.h"  // JsonInputError
#include "model/profile/profile.h"

namespace quindo {

QUINDO_EXPORT nlohmann::ordered_json ProfileToJson(const cProfile& profile);

// Fills a new profile from a JSON object; `where` is the object's path in
// its document for the messages (empty at the top). Missing fields keep the
// values of a new profile and a new schedule. An unknown field, a value of
// the wrong type, a number outside -32768..32767, a flag other than true,
// false, -1 or 0, a DiskIdentity outside -1..9999 or an array of the wrong
// length raises JsonInputError naming the field.
QUINDO_EXPORT void ProfileFromJson(const nlohmann::json& json, cProfile& profile, const std::string& where = {});

}  // namespace quindo
