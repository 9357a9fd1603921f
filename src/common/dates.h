#pragma once
// Dates are 64-bit floats counting days since 30 December 1899 00:00; the
// fraction is the time of day. This is the form stored in record files.

#include <cstdint>
#include <string>

#include "common/export.h"

namespace quindo {

struct CivilDateTime {
  int32_t year = 1899;
  int32_t month = 12;  // 1..12
  int32_t day = 30;    // 1..31
  int32_t hour = 0;
  int32_t minute = 0;
  int32_t second = 0;
};

// Whole days from 30 December 1899 to the given civil date (may be negative).
int64_t DaysFromCivil(int32_t year, int32_t month, int32_t day);

QUINDO_EXPORT double DateFromCivil(const CivilDateTime& civil);

// Splits a date into its civil parts, to the nearest second. As on the
// original platform, a negative date counts its whole days towards the past
// and its fraction as the time of that day. A date outside the years 100 to
// 9999 raises error 6, as it does there.
QUINDO_EXPORT CivilDateTime CivilFromDate(double date);

// The local date and time now.
QUINDO_EXPORT double Now();

// "YYYY-MM-DD HH:NN:SS", every part zero-padded.
QUINDO_EXPORT std::string FormatTimestamp(double date);

}  // namespace quindo
