#include "common/numbers.h"

#include <charconv>
#include <cmath>
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

double ReadLeadingNumber(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\r' || text[i] == '\n')) ++i;
  std::string number;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) number += text[i++];
  bool digits = false;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
    number += text[i++];
    digits = true;
  }
  if (i < text.size() && text[i] == '.') {
    number += text[i++];
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
      number += text[i++];
      digits = true;
    }
  }
  if (!digits) return 0.0;
  // from_chars, unlike strtod, ignores the C locale: a host that set one with
  // a decimal comma (as Qt does from the environment) still reads "13.5".
  const size_t start = number[0] == '+' || number[0] == '-' ? 1 : 0;
  double value = 0.0;
  const auto result = std::from_chars(number.data() + start, number.data() + number.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    // Without an exponent only a long whole part overflows; a long run of
    // zeros after the point underflows to 0.
    value = number.find_first_of("123456789") < number.find('.') ? HUGE_VAL : 0.0;
  }
  return number[0] == '-' ? -value : value;
}

}  // namespace quindo
