#include "alarm_json.h"

#include <charconv>
#include <functional>
#include <limits>
#include <map>
#include <string>

#include "command_status.h"
#include "common/code_page.h"

namespace quindo::records {
namespace {

using nlohmann::json;
using nlohmann::ordered_json;

template <typename Int>
Int ToInteger(const json& value, const std::string& where) {
  constexpr int64_t lo = std::numeric_limits<Int>::min();
  constexpr int64_t hi = std::numeric_limits<Int>::max();
  if (!value.is_number_integer()) throw CommandLineError(where + ": expected a whole number");
  const bool fits = value.is_number_unsigned() ? value.get<uint64_t>() <= static_cast<uint64_t>(hi)
                                               : value.get<int64_t>() >= lo && value.get<int64_t>() <= hi;
  if (!fits) {
    throw CommandLineError(where + ": " + value.dump() + " is outside " + std::to_string(lo) + ".." +
                           std::to_string(hi));
  }
  return static_cast<Int>(value.get<int64_t>());
}

double ToDate(const json& value, const std::string& where) {
  if (!value.is_number()) throw CommandLineError(where + ": expected a number of days since 1899-12-30");
  return value.get<double>();
}

std::string ToText(const json& value, const std::string& where) {
  if (!value.is_string()) throw CommandLineError(where + ": expected a text");
  std::string text = value.get<std::string>();
  if (TextToBytes(text).size() > cAlarm::kLongestText) {
    throw CommandLineError(where + ": longer than 32767 characters");
  }
  return text;
}

// A JSON string as nlohmann's dump writes it: quote, backslash and the
// control characters escaped, everything else (valid UTF-8) as it is.
void AppendString(std::string& out, std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += '"';
  for (const char c : text) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\b': out += "\\b"; break;
      case '\f': out += "\\f"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          out += "\\u00";
          out += kHex[(c >> 4) & 0xF];
          out += kHex[c & 0xF];
        } else {
          out += c;
        }
    }
  }
  out += '"';
}

template <typename Int>
void AppendInteger(std::string& out, Int value) {
  char digits[24];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  out.append(digits, result.ptr);
}

// Numbers of dates exactly as the JSON value writes them.
void AppendDate(std::string& out, double value) { out += json(value).dump(); }

void AppendMember(std::string& out, const char* name) {
  out += out.back() == '{' ? "\"" : ",\"";
  out += name;
  out += "\":";
}

}  // namespace

void AppendAlarmJsonLine(const cAlarm& a, std::string& out) {
  out += '{';
  AppendMember(out, "TimeStampFromSCADA");
  AppendDate(out, a.m_TimeStampFromSCADA);
  AppendMember(out, "TimeStampFromPC");
  AppendDate(out, a.m_TimeStampFromPC);
  AppendMember(out, "EventId");
  AppendInteger(out, a.m_EventId);
  AppendMember(out, "EventIdHex");
  AppendString(out, a.ViewEventIdAsHex());
  AppendMember(out, "Status");
  AppendInteger(out, a.m_Status);
  AppendMember(out, "Conditions");
  for (int16_t i = 0; i < cAlarm::kConditions; ++i) {
    out += i == 0 ? '[' : ',';
    AppendString(out, a.GetCondition(i));
  }
  out += ']';
  AppendMember(out, "SequenceReceivers");
  AppendString(out, a.m_SequenceReceivers);
  AppendMember(out, "SequenceReceiverConfirm");
  AppendString(out, a.m_SequenceReceiverConfirm);
  AppendMember(out, "SequenceNumbers");
  AppendInteger(out, a.m_SequenceNumbers);
  AppendMember(out, "ParallellReceivers");
  AppendString(out, a.m_ParallellReceivers);
  AppendMember(out, "ParallellNumbers");
  AppendInteger(out, a.m_ParallellNumbers);
  out += "}\n";
}

ordered_json AlarmToJson(const cAlarm& a) {
  ordered_json conditions = ordered_json::array();
  for (int16_t i = 0; i < cAlarm::kConditions; ++i) conditions.push_back(a.GetCondition(i));
  ordered_json j;
  j["TimeStampFromSCADA"] = a.m_TimeStampFromSCADA;
  j["TimeStampFromPC"] = a.m_TimeStampFromPC;
  j["EventId"] = a.m_EventId;
  j["EventIdHex"] = a.ViewEventIdAsHex();
  j["Status"] = a.m_Status;
  j["Conditions"] = std::move(conditions);
  j["SequenceReceivers"] = a.m_SequenceReceivers;
  j["SequenceReceiverConfirm"] = a.m_SequenceReceiverConfirm;
  j["SequenceNumbers"] = a.m_SequenceNumbers;
  j["ParallellReceivers"] = a.m_ParallellReceivers;
  j["ParallellNumbers"] = a.m_ParallellNumbers;
  return j;
}

void AlarmFromJson(const json& object, cAlarm& a) {
  using Handler = std::function<void(const json&, const std::string&)>;
  const std::map<std::string, Handler> handlers = {
      {"TimeStampFromSCADA", [&](const json& v, const std::string& w) { a.m_TimeStampFromSCADA = ToDate(v, w); }},
      {"TimeStampFromPC", [&](const json& v, const std::string& w) { a.m_TimeStampFromPC = ToDate(v, w); }},
      {"EventId", [&](const json& v, const std::string& w) { a.m_EventId = ToInteger<int32_t>(v, w); }},
      {"EventIdHex", [](const json&, const std::string&) {}},  // derived from EventId
      {"Status", [&](const json& v, const std::string& w) { a.m_Status = ToInteger<int16_t>(v, w); }},
      {"Conditions", [&](const json& v, const std::string& w) {
         if (!v.is_array() || v.size() != cAlarm::kConditions) {
           throw CommandLineError(w + ": expected an array of 6 texts");
         }
         for (int16_t i = 0; i < cAlarm::kConditions; ++i) {
           a.SetCondition(i, TypedValue::Text(ToText(v[i], w + "[" + std::to_string(i) + "]")));
         }
       }},
      {"SequenceReceivers", [&](const json& v, const std::string& w) { a.m_SequenceReceivers = ToText(v, w); }},
      {"SequenceReceiverConfirm",
       [&](const json& v, const std::string& w) { a.m_SequenceReceiverConfirm = ToText(v, w); }},
      {"SequenceNumbers", [&](const json& v, const std::string& w) { a.m_SequenceNumbers = ToInteger<int16_t>(v, w); }},
      {"ParallellReceivers", [&](const json& v, const std::string& w) { a.m_ParallellReceivers = ToText(v, w); }},
      {"ParallellNumbers", [&](const json& v, const std::string& w) { a.m_ParallellNumbers = ToInteger<int16_t>(v, w); }},
  };
  if (!object.is_object()) throw CommandLineError("expected an alarm object");
  for (const auto& [key, value] : object.items()) {
    const auto handler = handlers.find(key);
    if (handler == handlers.end()) throw CommandLineError("unknown field \"" + key + "\"");
    handler->second(value, key);
  }
}

}  // namespace quindo::records
