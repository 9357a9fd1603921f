#pragma once
// A value that is empty, null, or holds a number, a date, a flag or a text and
// keeps its kind. Profiles take conditions as typed values and receivers keep
// their settings in them (stored in files together with their kind).

#include <cstdint>
#include <string>
#include <variant>

#include "common/export.h"

namespace quindo {

class QUINDO_EXPORT TypedValue {
 public:
  // The kind numbers are the platform's type codes; they are written to disk
  // with the value and must not change.
  enum class Kind : int16_t {
    kEmpty = 0,
    kNull = 1,
    kInteger = 2,   // 16-bit signed
    kLong = 3,      // 32-bit signed
    kSingle = 4,    // 32-bit float
    kDouble = 5,    // 64-bit float
    kCurrency = 6,  // 64-bit count of ten-thousandths
    kDate = 7,      // days since 30 December 1899
    kText = 8,
    kFlag = 11,     // 16-bit, true = -1
    kByte = 17,
  };

  TypedValue() = default;  // empty
  static TypedValue Null();
  static TypedValue Integer(int16_t v);
  static TypedValue Long(int32_t v);
  static TypedValue Single(float v);
  static TypedValue Double(double v);
  static TypedValue CurrencyFromScaled(int64_t ten_thousandths);
  static TypedValue Date(double days);
  static TypedValue Text(std::string utf8);
  static TypedValue Flag(bool v);
  static TypedValue Byte(uint8_t v);

  Kind GetKind() const { return kind_; }
  bool IsEmpty() const { return kind_ == Kind::kEmpty; }
  bool IsNull() const { return kind_ == Kind::kNull; }
  bool IsText() const { return kind_ == Kind::kText; }
  bool IsNumeric() const;  // integer, long, single, double, currency, date, flag, byte

  // The raw payloads, for writers that store the value with its kind.
  int64_t RawInteger() const;  // integer, long, currency (scaled), flag, byte
  double RawFloat() const;     // single, double, date
  const std::string& RawText() const;

  // The text form: empty -> "", numbers in decimal, a flag as "True"/"False",
  // a date as "YYYY-MM-DD HH:NN:SS". A null raises error 94.
  std::string ToText() const;
  // The numeric value: empty -> 0; a text is read as a number or raises error
  // 13; a null raises error 94.
  double ToDouble() const;
  // Rounded half to even into 16 bits (error 6 when out of range).
  int16_t ToInt16() const;

  // The comparison of typed values: numbers compare by value whatever their
  // width, texts exactly, a number never equals a text, an empty value equals
  // 0 and the empty text, two empty values are equal; null equals nothing.
  bool Equals(const TypedValue& other) const;

 private:
  Kind kind_ = Kind::kEmpty;
  std::variant<std::monostate, int64_t, double, std::string> payload_;
};

}  // namespace quindo
