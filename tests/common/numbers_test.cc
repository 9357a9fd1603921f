#include "common/numbers.h"

#include <cmath>

#include <gtest/gtest.h>

#include "error_number.h"

namespace quindo {
namespace {

TEST(NumbersTest, RoundsHalvesToEvenNeighbour) {
  EXPECT_EQ(RoundToInteger<int16_t>(12.5), 12);
  EXPECT_EQ(RoundToInteger<int16_t>(13.5), 14);
  EXPECT_EQ(RoundToInteger<int16_t>(-2.5), -2);
  EXPECT_EQ(RoundToInteger<int16_t>(-3.5), -4);
  EXPECT_EQ(RoundToInteger<int16_t>(-0.5), 0);
}

TEST(NumbersTest, ValuesOutsideTheWidthOverflow) {
  EXPECT_EQ(RoundToInteger<int32_t>(2147483647.4), 2147483647);
  EXPECT_EQ(RoundToInteger<int32_t>(-2147483648.5), INT32_MIN);  // the even neighbour fits
  EXPECT_EQ(ErrorOf([] { RoundToInteger<int32_t>(2147483647.5); }), kOverflow);
  EXPECT_EQ(ErrorOf([] { RoundToInteger<int32_t>(-2147483648.6); }), kOverflow);
  EXPECT_EQ(ErrorOf([] { RoundToInteger<int16_t>(32767.5); }), kOverflow);
  EXPECT_EQ(ErrorOf([] { RoundToInteger<int16_t>(NAN); }), kOverflow);
  EXPECT_EQ(ErrorOf([] { RoundToInteger<int64_t>(1e300); }), kOverflow);
  // 2^63 is the double nearest INT64_MAX; it must not wrap to INT64_MIN.
  EXPECT_EQ(ErrorOf([] { RoundToInteger<int64_t>(9223372036854775808.0); }), kOverflow);
  EXPECT_EQ(RoundToInteger<int64_t>(-9223372036854775808.0), INT64_MIN);
  EXPECT_EQ(CheckedNarrow<int16_t>(-32768), -32768);
  EXPECT_EQ(ErrorOf([] { CheckedNarrow<int16_t>(32768); }), kOverflow);
}

TEST(NumbersTest, ReadLeadingNumberStopsAtFirstForeignCharacter) {
  EXPECT_EQ(ReadLeadingNumber(" 80abc"), 80);
  EXPECT_EQ(ReadLeadingNumber("\t\n-12.5x"), -12.5);
  EXPECT_EQ(ReadLeadingNumber("+.5"), 0.5);
  EXPECT_EQ(ReadLeadingNumber("1.2.3"), 1.2);
  EXPECT_EQ(ReadLeadingNumber(""), 0);
  EXPECT_EQ(ReadLeadingNumber("-"), 0);
  EXPECT_EQ(ReadLeadingNumber("abc12"), 0);
}

}  // namespace
}  // namespace quindo
