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

// The number at the start of a text as the platform's Val reads it: leading
// blanks skipped, then either a decimal number as above followed by an
// exponent ("E" or "D", a sign, digits; without digits after it the letter
// ends the number), or "&H" hexadecimal or "&O" octal digits, read as a
// 16-bit value when they fit in 16 bits (&HFFFF is -1) and as a 32-bit one
// otherwise. `length` is how many characters the number took, blanks before
// it included: 0 when the text starts with no number (the value is then 0).
// More hexadecimal or octal digits than 32 bits hold raise 6; a decimal too
// large for a double reads as infinity, one too small as 0.
struct ValNumber {
  double value = 0.0;
  size_t length = 0;
};
ValNumber ReadValNumber(std::string_view text);

}  // namespace quindo
