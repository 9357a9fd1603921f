#include "common/typed_value.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "common/dates.h"
#include "common/error.h"
#include "common/numbers.h"

namespace quindo {
namespace {

TypedValue::Kind KindOf(const TypedValue& v) { return v.GetKind(); }

// The platform's decimal text of a float: rounded to `digits` significant
// digits (15 for a double, 7 for a single), trailing zeros and a trailing
// point dropped, and the exponent form ("1E+20", "1.5E-10") only when the
// decimal exponent is below -4 or not below `digits`. That is printf's %G,
// written with to_chars so that a host's C locale (a decimal comma) cannot
// change the text stored in records.
std::string FormatFloat(double value, int digits) {
  if (value == 0.0) return "0";  // also -0
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::general, digits);
  std::string out(text, result.ptr);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace

TypedValue TypedValue::Null() { TypedValue v; v.kind_ = Kind::kNull; return v; }
TypedValue TypedValue::Integer(int16_t x) { TypedValue v; v.kind_ = Kind::kInteger; v.payload_ = int64_t{x}; return v; }
TypedValue TypedValue::Long(int32_t x) { TypedValue v; v.kind_ = Kind::kLong; v.payload_ = int64_t{x}; return v; }
TypedValue TypedValue::Single(float x) { TypedValue v; v.kind_ = Kind::kSingle; v.payload_ = double{x}; return v; }
TypedValue TypedValue::Double(double x) { TypedValue v; v.kind_ = Kind::kDouble; v.payload_ = x; return v; }
TypedValue TypedValue::CurrencyFromScaled(int64_t x) { TypedValue v; v.kind_ = Kind::kCurrency; v.payload_ = x; return v; }
TypedValue TypedValue::Date(double x) { TypedValue v; v.kind_ = Kind::kDate; v.payload_ = x; return v; }
TypedValue TypedValue::Text(std::string x) { TypedValue v; v.kind_ = Kind::kText; v.payload_ = std::move(x); return v; }
TypedValue TypedValue::Flag(bool x) { TypedValue v; v.kind_ = Kind::kFlag; v.payload_ = int64_t{x ? -1 : 0}; return v; }
TypedValue TypedValue::Byte(uint8_t x) { TypedValue v; v.kind_ = Kind::kByte; v.payload_ = int64_t{x}; return v; }

bool TypedValue::IsNumeric() const {
  return kind_ != Kind::kEmpty && kind_ != Kind::kNull && kind_ != Kind::kText;
}

int64_t TypedValue::RawInteger() const {
  const auto* v = std::get_if<int64_t>(&payload_);
  return v ? *v : 0;
}
double TypedValue::RawFloat() const {
  const auto* v = std::get_if<double>(&payload_);
  return v ? *v : 0.0;
}
const std::string& TypedValue::RawText() const {
  static const std::string kEmpty;
  const auto* v = std::get_if<std::string>(&payload_);
  return v ? *v : kEmpty;
}

std::string TypedValue::ToText() const {
  switch (kind_) {
    case Kind::kEmpty: return "";
    case Kind::kNull: throw Error(kInvalidUseOfNull);
    case Kind::kInteger:
    case Kind::kLong:
    case Kind::kByte: return std::to_string(RawInteger());
    case Kind::kFlag: return RawInteger() != 0 ? "True" : "False";
    case Kind::kSingle: return FormatFloat(RawFloat(), 7);
    case Kind::kDouble: return FormatFloat(RawFloat(), 15);
    case Kind::kCurrency: {
      const int64_t scaled = RawInteger();
      const uint64_t magnitude = scaled < 0 ? 0 - static_cast<uint64_t>(scaled) : static_cast<uint64_t>(scaled);
      std::string text = (scaled < 0 ? "-" : "") + std::to_string(magnitude / 10000);
      uint64_t fraction = magnitude % 10000;
      if (fraction != 0) {
        char digits[8];
        std::snprintf(digits, sizeof digits, "%04llu", static_cast<unsigned long long>(fraction));
        std::string f = digits;
        while (!f.empty() && f.back() == '0') f.pop_back();
        text += "." + f;
      }
      return text;
    }
    case Kind::kDate: return FormatTimestamp(RawFloat());
    case Kind::kText: return RawText();
  }
  return "";
}

double TypedValue::ToDouble() const {
  switch (kind_) {
    case Kind::kEmpty: return 0.0;
    case Kind::kNull: throw Error(kInvalidUseOfNull);
    case Kind::kSingle:
    case Kind::kDouble:
    case Kind::kDate: return RawFloat();
    case Kind::kCurrency: return static_cast<double>(RawInteger()) / 10000.0;
    case Kind::kText: {
      const std::string& text = RawText();
      char* end = nullptr;
      const double value = std::strtod(text.c_str(), &end);
      // Blanks may follow a number; blanks alone are no number.
      while (end != text.c_str() && (*end == ' ' || *end == '\t')) ++end;
      if (end == text.c_str() || *end != '\0') throw Error(kTypeMismatch);
      return value;
    }
    default: return static_cast<double>(RawInteger());
  }
}

int16_t TypedValue::ToInt16() const { return RoundToInteger<int16_t>(ToDouble()); }

bool TypedValue::Equals(const TypedValue& other) const {
  if (IsNull() || other.IsNull()) return false;
  if (IsEmpty() && other.IsEmpty()) return true;
  const bool text_here = IsText() || (IsEmpty() && other.IsText());
  const bool text_there = other.IsText() || (other.IsEmpty() && IsText());
  if (text_here != text_there) return false;
  if (text_here) return RawText() == other.RawText();
  // Both numeric (an empty value counts as 0). Currency keeps its exactness.
  if (KindOf(*this) == Kind::kCurrency && KindOf(other) == Kind::kCurrency) {
    return RawInteger() == other.RawInteger();
  }
  return ToDouble() == other.ToDouble();
}

}  // namespace quindo
