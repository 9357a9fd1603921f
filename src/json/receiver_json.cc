#include "json/receiver_json.h"

#include <charconv>
#include <cmath>
#include <string>

#include "common/settings.h"

namespace quindo {
namespace {

using nlohmann::json;
using nlohmann::ordered_json;
using Kind = TypedValue::Kind;

// Dates from 1 January 100 to 31 December 9999, the platform's range.
constexpr double kFirstDate = -657434;
constexpr double kLastDate = 2958465.99999999;
// Currency in units: the 64-bit count of ten-thousandths.
constexpr double kCurrencyLimit = 922337203685477.0;

// A number of a setting's kind, inside the kind's range.
double NumberIn(const json& value, double lo, double hi, const std::string& where) {
  const double number = NumberOf(value, where);
  if (!std::isfinite(number) || number < lo || number > hi) {
    throw JsonInputError(where + ": " + value.dump() + " is outside the range of its kind");
  }
  return number;
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
    case Kind::kByte: out["Value"] = value.RawInteger(); break;
    case Kind::kFlag: out["Value"] = value.RawInteger() != 0 ? -1 : 0; break;
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
    throw JsonInputError(where + ": expected an object {\"Kind\": k, \"Value\": v}");
  }
  for (const auto& [key, ignored] : object.items()) {
    if (key != "Kind" && key != "Value") throw JsonInputError("unknown field \"" + MemberPath(where, key) + "\"");
  }
  const int16_t kind = Int16Of(object["Kind"], where + ".Kind");
  const std::string at = where + ".Value";
  const bool has_value = object.contains("Value");
  const auto value = [&]() -> const json& {
    if (!has_value) throw JsonInputError(at + ": missing for kind " + std::to_string(kind));
    return object["Value"];
  };
  switch (static_cast<Kind>(kind)) {
    case Kind::kEmpty:
    case Kind::kNull:
      if (has_value) throw JsonInputError(at + ": kind " + std::to_string(kind) + " has no value");
      return kind == 0 ? TypedValue() : TypedValue::Null();
    case Kind::kInteger: return TypedValue::Integer(Int16Of(value(), at));
    case Kind::kLong:
      return TypedValue::Long(static_cast<int32_t>(WholeNumberOf(value(), INT32_MIN, INT32_MAX, at)));
    case Kind::kSingle:
      return TypedValue::Single(static_cast<float>(NumberIn(value(), -3.402823466e38, 3.402823466e38, at)));
    case Kind::kDouble: return TypedValue::Double(NumberIn(value(), -1.79e308, 1.79e308, at));
    case Kind::kCurrency:
      return TypedValue::CurrencyFromScaled(
          std::llround(NumberIn(value(), -kCurrencyLimit, kCurrencyLimit, at) * 10000.0));
    case Kind::kDate: return TypedValue::Date(NumberIn(value(), kFirstDate, kLastDate, at));
    case Kind::kText: return TypedValue::Text(TextOf(value(), at));
    case Kind::kFlag: return TypedValue::Flag(FlagOf(value(), at) != 0);
    case Kind::kByte: return TypedValue::Byte(static_cast<uint8_t>(WholeNumberOf(value(), 0, 255, at)));
  }
  throw JsonInputError(where + ".Kind: " + std::to_string(kind) +
                   " is not one of 0, 1, 2, 3, 4, 5, 6, 7, 8, 11, 17");
}

void Ignore(const json&, const std::string&) {}

}  // namespace

ordered_json ReceiverToJson(const cReceiver& receiver) {
  ordered_json settings = ordered_json::array();
  for (int16_t i = 0; i < cReceiver::kSettings; ++i) settings.push_back(SettingToJson(receiver.GetSetting(i)));
  return {{"DiskIdentity", receiver.m_DiskIdentity},
          {"Enabled", FlagToJson(receiver.m_Enabled)},
          {"ReceiverTypeId", receiver.GetReceiverTypeId()},
          {"ReceiverName", receiver.m_ReceiverName},
          {"BackupReceiver", receiver.m_BackupReceiver},
          {"Settings", std::move(settings)},
          {"FileDateTimeStamp", receiver.m_FileDateTimeStamp},
          {"ReceiverTypeIndex", receiver.m_ReceiverTypeIndex},
          {"ReceiverTypeName", receiver.m_ReceiverTypeName},
          {"KeepAliveInterval", receiver.m_KeepAliveInterval}};
}

void ReceiverFromJson(const json& json, cReceiver& receiver, const std::string& where) {
  // The type is set last, once the settings it may read are in place.
  int16_t type_id = receiver.GetReceiverTypeId();
  ForEachMember(json, where, {
    {"DiskIdentity", [&](const auto& v, const auto& w) { receiver.m_DiskIdentity = DiskIdentityOf(v, w); }},
    {"Enabled", [&](const auto& v, const auto& w) { receiver.m_Enabled = FlagOf(v, w); }},
    {"ReceiverTypeId", [&](const auto& v, const auto& w) { type_id = Int16Of(v, w); }},
    {"ReceiverName", [&](const auto& v, const auto& w) { receiver.m_ReceiverName = TextOf(v, w); }},
    {"BackupReceiver", [&](const auto& v, const auto& w) { receiver.m_BackupReceiver = TextOf(v, w); }},
    {"Settings", [&](const auto& v, const auto& w) {
      ArrayOf(v, cReceiver::kSettings, w);
      for (int16_t i = 0; i < cReceiver::kSettings; ++i) {
        receiver.SaveSetting(i, SettingFromJson(v[i], ElementPath(w, i)));
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
  if (!json.is_array()) throw JsonInputError("receiver types: expected an array of rows");
  if (json.size() > static_cast<size_t>(kReceiverTypeRows)) {
    throw JsonInputError("receiver types: " + std::to_string(json.size()) + " rows, at most " +
                     std::to_string(kReceiverTypeRows));
  }
  std::array<ReceiverType, kReceiverTypeRows> rows{};
  for (size_t i = 0; i < json.size(); ++i) {
    ReceiverType& row = rows[i];
    const std::string where = ElementPath("receiver types", i);
    ForEachMember(json[i], where, {
      {"TypeId", [&](const auto& v, const auto& w) { row.type_id = Int16Of(v, w); }},
      {"TypeName", [&](const auto& v, const auto& w) { row.type_name = TextOf(v, w); }},
      {"Protocol", [&](const auto& v, const auto& w) { row.protocol = TextOf(v, w); }},
      {"TemplateFile", [&](const auto& v, const auto& w) { row.template_file = TextOf(v, w); }},
    });
    if (!json[i].contains("TypeId")) throw JsonInputError(where + ": missing TypeId");
  }
  ReceiverTypes() = std::move(rows);
  NumberOfReceiverTypes() = static_cast<int16_t>(json.size());
}

void LoadReceiverTypesFile(const std::string& path) {
  // 300 rows of a few texts each; a huge or endless file is refused first.
  constexpr size_t kLongestTypeTable = 1 << 20;
  LoadReceiverTypesFromJson(ReadJsonFile(path, kLongestTypeTable));
}

}  // namespace quindo
