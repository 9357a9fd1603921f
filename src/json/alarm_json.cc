#include "json/alarm_json.h"

#include <charconv>
#include <limits>
#include <string>

#include "common/code_page.h"

namespace quindo {
namespace {

using nlohmann::json;
using nlohmann::ordered_json;

template <typename Int>
Int ToInteger(const json& value, const std::string& where) {
  return static_cast<Int>(
      WholeNumberOf(value, std::numeric_limits<Int>::min(), std::numeric_limits<Int>::max(), where));
}

double ToDate(const json& value, const std::string& where) {
  if (!value.is_number()) throw JsonInputError(where + ": expected a number of days since 1899-12-30");
  return value.get<double>();
}

std::string ToText(const json& value, const std::string& where) {
  std::string text = TextOf(value, where);
  if (TextToBytes(text).size() > cAlarm::kLongestText) {
    throw JsonInputError(where + ": longer than 32767 characters");
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

void AlarmFromJson(const json& object, cAlarm& a, const std::string& where) {
  const auto text = [](std::string& field) {
    return [&field](const json& v, const std::string& w) { field = ToText(v, w); };
  };
  const auto number = [](int16_t& field) {
    return [&field](const json& v, const std::string& w) { field = ToInteger<int16_t>(v, w); };
  };
  const auto date = [](double& field) {
    return [&field](const json& v, const std::string& w) { field = ToDate(v, w); };
  };
  ForEachMember(object, where, {
      {"TimeStampFromSCADA", date(a.m_TimeStampFromSCADA)},
      {"TimeStampFromPC", date(a.m_TimeStampFromPC)},
      {"EventId", [&](const json& v, const std::string& w) { a.m_EventId = ToInteger<int32_t>(v, w); }},
      {"EventIdHex", [](const json&, const std::string&) {}},  // derived from EventId
      {"Status", number(a.m_Status)},
      {"Conditions", [&](const json& v, const std::string& w) {
         ArrayOf(v, cAlarm::kConditions, w);
         for (int16_t i = 0; i < cAlarm::kConditions; ++i) {
           a.SetCondition(i, TypedValue::Text(ToText(v[i], ElementPath(w, i))));
         }
       }},
      {"SequenceReceivers", text(a.m_SequenceReceivers)},
      {"SequenceReceiverConfirm", text(a.m_SequenceReceiverConfirm)},
      {"SequenceNumbers", number(a.m_SequenceNumbers)},
      {"ParallellReceivers", text(a.m_ParallellReceivers)},
      {"ParallellNumbers", number(a.m_ParallellNumbers)},
  });
}

}  // namespace quindo
