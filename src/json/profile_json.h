#pragma once
// A profile as JSON, for the records tool. Field names are the member names
// without "m_"; numbers are the stored 16-bit values (flags -1/0). The
// schedule is {"UseCalendar": n, "DayTypes": [23 x {"Active", "Grouped",
// "Axis", "Periods": [[start, stop], ...]}]}.

#include <nlohmann/json.hpp>
#include <stdexcept>

#include "model/profile/profile.h"

namespace quindo::records {

// Input that does not describe a profile: the message names the field.
class InputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

nlohmann::ordered_json ProfileToJson(const cProfile& profile);

// Fills a new profile from JSON. Missing fields keep the values of a new
// profile and a new schedule; an unknown field, a value of the wrong type, a
// number outside -32768..32767 or an array of the wrong length raises
// InputError.
void ProfileFromJson(const nlohmann::json& json, cProfile& profile);

}  // namespace quindo::records
