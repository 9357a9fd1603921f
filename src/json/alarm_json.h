#pragma once
// An alarm record as JSON, for the records tool: the member names without
// "m_" of the record's fields 1 to 10. Dates are days since 1899-12-30;
// Conditions is an array of 6 texts. The output adds EventIdHex, which the
// input accepts and ignores.

#include <nlohmann/json.hpp>

#include "model/alarm/alarm.h"

namespace quindo::records {

nlohmann::ordered_json AlarmToJson(const cAlarm& alarm);

// Appends the same object as AlarmToJson, compact (as dump() writes it) and
// ended by a line feed, to `out`: one JSON line, written without building
// the JSON value, for dumps of millions of records.
void AppendAlarmJsonLine(const cAlarm& alarm, std::string& out);

// Fills a new alarm from a JSON object. Missing fields keep the values of a
// new alarm; an unknown field, a value of the wrong type, a number outside
// its field's width, or a text longer than the record holds (32,767
// code-page bytes) raises CommandLineError.
void AlarmFromJson(const nlohmann::json& json, cAlarm& alarm);

}  // namespace quindo::records
