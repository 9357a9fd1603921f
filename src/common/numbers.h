#pragma once
// Number conversions with the platform's rules: rounding goes to the nearest
// integer with halves to the even neighbour, and a result outside the target
// width raises the overflow error (6) instead of wrapping.

#include <cstdint>
#include <limits>
#include <string_view>

#include "common/error.h"

namespace quindo {

// Rounds half to even; NaN and values outside [lo, hi] raise error 6.
int64_t RoundHalfEvenChecked(double value, int64_t lo, int64_t hi);

template <typename Int>
Int RoundToInteger(double value) {
  return static_cast<Int>(RoundHalfEvenChecked(value, std::numeric_limits<Int>::min(),
                                               std::numeric_limits<Int>::max()));
}

// Narrows a whole number into Int, raising error 6 when it does not fit.
template <typename Int>
Int CheckedNarrow(int64_t value) {
  if (value < std::numeric_limits<Int>::min() || value > std::numeric_limits<Int>::max()) {
    throw Error(kOverflow);
  }
  return static_cast<Int>(value);
}

// The leading number of a text: leading blanks (spaces, tabs, line breaks)
// are skipped, then an optional sign, digits, an optional decimal point and
// more digits; reading stops at the first character that cannot continue the
// number. A text without a number gives 0. "80abc" -> 80, " 12.5" -> 12.5.
double ReadLeadingNumber(std::string_view text);

}  // namespace quindo
