#include "common/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

namespace quindo {

int64_t RoundHalfEvenChecked(double value, int64_t lo, int64_t hi) {
  if (std::isnan(value)) throw Error(kOverflow);
  double whole = std::floor(value);
  const double fraction = value - whole;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0)) whole += 1.0;
  // Compare as doubles first so that huge values never reach the integer cast.
  // hi + 1 is the exclusive bound: for a 64-bit hi the double of hi itself
  // rounds up to 2^63, which does not fit.
  if (whole < static_cast<double>(lo) || whole >= static_cast<double>(hi) + 1.0) throw Error(kOverflow);
  const auto result = static_cast<int64_t>(whole);
  if (result < lo || result > hi) throw Error(kOverflow);
  return result;
}

namespace {

bool IsValBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A decimal number at text[i]: sign, digits, point, digits and, when
// `exponent` is set, an exponent. Copies it into `number` (with its sign,
// and "e" for the exponent's letter) and returns where it ends; without
// digits `number` stays empty and the result is `i`.
size_t ScanDecimal(std::string_view text, size_t i, bool exponent, std::string& number) {
  const size_t start = i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) number += text[i++];
  bool digits = false;
  while (i < text.size() && IsDigit(text[i])) {
    number += text[i++];
    digits = true;
  }
  if (i < text.size() && text[i] == '.') {
    number += text[i++];
    while (i < text.size() && IsDigit(text[i])) {
      number += text[i++];
      digits = true;
    }
  }
  if (!digits) {
    number.clear();
    return start;
  }
  const auto is_exponent_letter = [](char c) { return (c | 0x20) == 'e' || (c | 0x20) == 'd'; };
  if (exponent && i < text.size() && is_exponent_letter(text[i])) {
    size_t k = i + 1;
    std::string power = "e";
    if (k < text.size() && (text[k] == '+' || text[k] == '-')) power += text[k++];
    const size_t first_digit = k;
    while (k < text.size() && IsDigit(text[k])) power += text[k++];
    if (k > first_digit) {
      number += power;
      i = k;
    }
  }
  return i;
}

// The value of a scanned decimal number. from_chars, unlike strtod, ignores
// the C locale: a host that set one with a decimal comma (as Qt does from
// the environment) still reads "13.5".
double DecimalValue(const std::string& number) {
  const bool negative = number[0] == '-';
  const size_t start = number[0] == '-' || number[0] == '+' ? 1 : 0;
  double value = 0.0;
  const auto result = std::from_chars(number.data() + start, number.data() + number.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    // Too large or too small for a double: the power of ten decides, that of
    // the first significant digit plus the exponent.
    const size_t e = std::min(number.find('e'), number.size());
    const std::string_view mantissa(number.data() + start, e - start);
    const size_t point = std::min(mantissa.find('.'), mantissa.size());
    const size_t first = mantissa.find_first_of("123456789");
    long long power = first < point ? static_cast<long long>(point - first)
                                    : -static_cast<long long>(first - point - 1);
    if (e < number.size()) {
      long long exponent = 0;
      const char* digits = number.data() + e + 1;
      const bool minus = *digits == '-';
      if (*digits == '-' || *digits == '+') ++digits;
      for (; digits < number.data() + number.size() && exponent < 1000000; ++digits) {
        exponent = exponent * 10 + (*digits - '0');
      }
      power += minus ? -exponent : exponent;
    }
    value = power > 0 ? HUGE_VAL : 0.0;
  }
  return negative ? -value : value;
}

// "&H" or "&O" digits from text[i]: 16-bit when they fit in 16 bits, else
// 32-bit; more than 32 bits overflow.
ValNumber ReadRadixNumber(std::string_view text, size_t i, unsigned base) {
  const auto digit = [base](char c) -> unsigned {
    const char lower = static_cast<char>(c | 0x20);
    if (IsDigit(c)) return static_cast<unsigned>(c - '0');
    return lower >= 'a' && lower <= 'f' ? static_cast<unsigned>(lower - 'a' + 10) : base;
  };
  const size_t start = i;
  uint64_t value = 0;
  for (; i < text.size() && digit(text[i]) < base; ++i) {
    value = value * base + digit(text[i]);
    if (value > 0xFFFFFFFFu) throw Error(kOverflow);
  }
  if (i == start) return {};
  int64_t whole = static_cast<int64_t>(value);
  if (value <= 0xFFFFu) {
    if (value > 0x7FFFu) whole -= 0x10000;
  } else if (value > 0x7FFFFFFFu) {
    whole -= int64_t{0x100000000};
  }
  return {static_cast<double>(whole), i};
}

}  // namespace

double ReadLeadingNumber(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsValBlank(text[i])) ++i;
  std::string number;
  ScanDecimal(text, i, false, number);
  return number.empty() ? 0.0 : DecimalValue(number);
}

ValNumber ReadValNumber(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsValBlank(text[i])) ++i;
  if (i + 1 < text.size() && text[i] == '&') {
    const char radix = static_cast<char>(text[i + 1] | 0x20);
    if (radix == 'h') return ReadRadixNumber(text, i + 2, 16);
    if (radix == 'o') return ReadRadixNumber(text, i + 2, 8);
    return {};
  }
  std::string number;
  const size_t end = ScanDecimal(text, i, true, number);
  if (number.empty()) return {};
  return {DecimalValue(number), end};
}

}  // namespace quindo
