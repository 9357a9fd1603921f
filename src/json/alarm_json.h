#pragma once
// An alarm record as JSON: the member names without "m_" of the record's
// fields 1 to 10. Dates are days since 1899-12-30; Conditions is an array of
// 6 texts. The output adds EventIdHex, which the input accepts and ignores.

#include <nlohmann/json.hpp>

#include "common/export.h"
#include "json/json_fields.h"  // JsonInputError
#include "model/alarm/alarm.h"

namespace quindo {

QUINDO_EXPORT nlohmann::ordered_json AlarmToJson(const cAlarm& alarm);

// Appends the same object as AlarmToJson, compact (as dump() writes it) and
// ended by a line feed, to `out`: one JSON line, written without building
// the JSON value, for dumps of millions of records.
QUINDO_EXPORT void AppendAlarmJsonLine(const cAlarm& alarm, std::string& out);

// Fills a new alarm from a JSON object; `where` is the object's path in its
// document for the messages. Missing fields keep the values of a new alarm;
// an unknown field, a value of the wrong type, a number outside its field's
// width, or a text longer than the record holds (32,767 code-page bytes)
// raises JsonInputError.
QUINDO_EXPORT void AlarmFromJson(const nlohmann::json& json, cAlarm& alarm, const std::string& where = {});

}  // namespace quindo
