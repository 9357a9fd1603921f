#include "receiver_json.h"

#include <charconv>
#include <cmath>
#include <functional>
#include <map>
#include <string>

#include "common/settings.h"

namespace quindo::records {
namespace {

using nlohmann::json;
using nlohmann::ordered_json;
using Kind = TypedValue::Kind;

// Dates from 1 January 100 to 31 December 9999, the platform's range.
constexpr double kFirstDate = -657434;
constexpr double kLastDate = 2958465.99999999;
// Currency in units: the 64-bit count of ten-thousandths.
constexpr double kCurrencyLimit = 922337203685477.0;

using Handlers = std::map<std::string, std::function<void(const json&, const std::string&)>>;

// Runs the handler of every member; a member without one is an error, so
// that a misspelt field is not silently dropped.
void ForEachMember(const json& object, const std::string& where, const Handlers& handlers) {
  if (!object.is_object()) throw InputError((where.empty() ? "input" : where) + ": expected an object");
  for (const auto& [key, value] : object.items()) {
    const auto handler = handlers.find(key);
    const std::string path = where.empty() ? key : where + "." + key;
    if (handler == handlers.end()) throw InputError("unknown field \"" + path + "\"");
    handler->second(value, path);
  }
}

int64_t WholeNumber(const json& value, int64_t lo, int64_t hi, const std::string& where) {
  const std::string range = std::to_string(lo) + ".." + std::to_string(hi);
  if (!value.is_number_integer()) throw InputError(where + ": expected a whole number in " + range);
  const bool fits = value.is_number_unsigned()
                        ? value.get<uint64_t>() <= static_cast<uint64_t>(hi)
                        : value.get<int64_t>() >= lo && value.get<int64_t>() <= hi;
  if (!fits) throw InputError(where + ": " + value.dump() + " is outside " + range);
  return value.get<int64_t>();
}

int16_t ToInt16(const json& value, const std::string& where) {
  return static_cast<int16_t>(WholeNumber(value, INT16_MIN, INT16_MAX, where));
}

double Number(const json& value, double lo, double hi, const std::string& where) {
  if (!value.is_number()) throw InputError(where + ": expected a number");
  const double number = value.get<double>();
  if (!std::isfinite(number) || number < lo || number > hi) {
    throw InputError(where + ": " + value.dump() + " is outside the range of its kind");
  }
  return number;
}

std::string ToText(const json& value, const std::string& where) {
  if (!value.is_string()) throw InputError(where + ": expected a text");
  return value.get<std::string>();
}

// A single as the shortest decimal that reads back as the same single.
double SingleAsJsonNumber(double value) {
  char digits[32];
  const auto result = std::to_chars(digits, digits + sizeof digits, static_cast<float>(value));
  double shortest = value;
  std::from_chars(digits, result.ptr, shortest);
  return shortest;
}

ordered_json SettingToJson(const TypedValue& value) {
  ordered_json out{{"Kind", static_cast<int>(value.GetKind())}};
  switch (value.GetKind()) {
    case Kind::kEmpty:
    case Kind::kNull: break;
    case Kind::kInteger:
    case Kind::kLong:
    case Kind::kFlag:
    case Kind::kByte: out["Value"] = value.RawInteger(); break;
    case Kind::kSingle: out["Value"] = SingleAsJsonNumber(value.RawFloat()); break;
    case Kind::kDouble:
    case Kind::kDate: out["Value"] = value.RawFloat(); break;
    case Kind::kCurrency: out["Value"] = static_cast<double>(value.RawInteger()) / 10000.0; break;
    case Kind::kText: out["Value"] = value.RawText(); break;
  }
  return out;
}

TypedValue SettingFromJson(const json& object, const std::string& where) {
  if (!object.is_object() || !object.contains("Kind")) {
    throw InputError(where + ": expected an object {\"Kind\": k, \"Value\": v}");
  }
  for (const auto& [key, ignored] : object.items()) {
    if (key != "Kind" && key != "Value") throw InputError("unknown field \"" + where + "." + key + "\"");
  }
  const int16_t kind = ToInt16(object["Kind"], where + ".Kind");
  const std::string at = where + ".Value";
  const bool has_value = object.contains("Value");
  const auto value = [&]() -> const json& {
    if (!has_value) throw InputError(at + ": missing for kind " + std::to_string(kind));
    return object["Value"];
  };
  switch (static_cast<Kind>(kind)) {
    case Kind::kEmpty:
    case Kind::kNull:
      if (has_value) throw InputError(at + ": kind " + std::to_string(kind) + " has no value");
      return kind == 0 ? TypedValue() : TypedValue::Null();
    case Kind::kInteger: return TypedValue::Integer(ToInt16(value(), at));
    case Kind::kLong:
      return TypedValue::Long(static_cast<int32_t>(WholeNumber(value(), INT32_MIN, INT32_MAX, at)));
    case Kind::kSingle:
      return TypedValue::Single(static_cast<float>(Number(value(), -3.402823466e38, 3.402823466e38, at)));
    case Kind::kDouble: return TypedValue::Double(Number(value(), -1.79e308, 1.79e308, at));
    case Kind::kCurrency:
      return TypedValue::CurrencyFromScaled(
          std::llround(Number(value(), -kCurrencyLimit, kCurrencyLimit, at) * 10000.0));
    case Kind::kDate: return TypedValue::Date(Number(value(), kFirstDate, kLastDate, at));
    case Kind::kText: return TypedValue::Text(ToText(value(), at));
    case Kind::kFlag: {
      const int64_t flag = WholeNumber(value(), -1, 0, at);
      return TypedValue::Flag(flag != 0);
    }
    case Kind::kByte: return TypedValue::Byte(static_cast<uint8_t>(WholeNumber(value(), 0, 255, at)));
  }
  throw InputError(where + ".Kind: " + std::to_string(kind) +
                   " is not one of 0, 1, 2, 3, 4, 5, 6, 7, 8, 11, 17");
}

void Ignore(const json&, const std::string&) {}

}  // namespace

ordered_json ReceiverToJson(const cReceiver& receiver) {
  ordered_json settings = ordered_json::array();
  for (int16_t i = 0; i < cReceiver::kSettings; ++i) settings.push_back(SettingToJson(receiver.GetSetting(i)));
  return {{"DiskIdentity", receiver.m_DiskIdentity},
          {"Enabled", receiver.m_Enabled},
          {"ReceiverTypeId", receiver.GetReceiverTypeId()},
          {"ReceiverName", receiver.m_ReceiverName},
          {"BackupReceiver", receiver.m_BackupReceiver},
          {"Settings", std::move(settings)},
          {"FileDateTimeStamp", receiver.m_FileDateTimeStamp},
          {"ReceiverTypeIndex", receiver.m_ReceiverTypeIndex},
          {"ReceiverTypeName", receiver.m_ReceiverTypeName},
          {"KeepAliveInterval", receiver.m_KeepAliveInterval}};
}

void ReceiverFromJson(const json& json, cReceiver& receiver) {
  // The type is set last, once the settings it may read are in place.
  int16_t type_id = receiver.GetReceiverTypeId();
  ForEachMember(json, "", {
    {"DiskIdentity", [&](const auto& v, const auto& w) {
      // A file's number, or -1 for a receiver to be given one.
      receiver.m_DiskIdentity = static_cast<int16_t>(WholeNumber(v, -1, 9999, w));
    }},
    {"Enabled", [&](const auto& v, const auto& w) { receiver.m_Enabled = ToInt16(v, w); }},
    {"ReceiverTypeId", [&](const auto& v, const auto& w) { type_id = ToInt16(v, w); }},
    {"ReceiverName", [&](const auto& v, const auto& w) { receiver.m_ReceiverName = ToText(v, w); }},
    {"BackupReceiver", [&](const auto& v, const auto& w) { receiver.m_BackupReceiver = ToText(v, w); }},
    {"Settings", [&](const auto& v, const auto& w) {
      if (!v.is_array() || v.size() != cReceiver::kSettings) {
        throw InputError(w + ": expected an array of 4 elements");
      }
      for (int16_t i = 0; i < cReceiver::kSettings; ++i) {
        receiver.SaveSetting(i, SettingFromJson(v[i], w + "[" + std::to_string(i) + "]"));
      }
    }},
    {"FileDateTimeStamp", Ignore},
    {"ReceiverTypeIndex", Ignore},
    {"ReceiverTypeName", Ignore},
    {"KeepAliveInterval", Ignore},
  });
  receiver.SetReceiverTypeId(type_id);
}

void LoadReceiverTypesFromJson(const json& json) {
  if (!json.is_array()) throw InputError("receiver types: expected an array of rows");
  if (json.size() > static_cast<size_t>(kReceiverTypeRows)) {
    throw InputError("receiver types: " + std::to_string(json.size()) + " rows, at most " +
                     std::to_string(kReceiverTypeRows));
  }
  std::array<ReceiverType, kReceiverTypeRows> rows{};
  for (size_t i = 0; i < json.size(); ++i) {
    ReceiverType& row = rows[i];
    const std::string where = "receiver types[" + std::to_string(i) + "]";
    ForEachMember(json[i], where, {
      {"TypeId", [&](const auto& v, const auto& w) { row.type_id = ToInt16(v, w); }},
      {"TypeName", [&](const auto& v, const auto& w) { row.type_name = ToText(v, w); }},
      {"Protocol", [&](const auto& v, const auto& w) { row.protocol = ToText(v, w); }},
      {"TemplateFile", [&](const auto& v, const auto& w) { row.template_file = ToText(v, w); }},
    });
    if (!json[i].contains("TypeId")) throw InputError(where + ": missing TypeId");
  }
  ReceiverTypes() = std::move(rows);
  NumberOfReceiverTypes() = static_cast<int16_t>(json.size());
}

}  // namespace quindo::records
