#include "common/numbers.h"

#include <cmath>
#include <utility>

#include <gtest/gtest.h>

#include "error_number.h"

namespace quindo {
namespace {

TEST(NumbersTest, RoundsHalvesToEvenAndOverflowsOutsideTheWidth) {
  for (const auto& [value, rounded] : {std::pair{12.5, 12}, {13.5, 14}, {-2.5, -2}, {-3.5, -4}, {-0.5, 0}}) {
    EXPECT_EQ(RoundToInteger<int16_t>(value), rounded) << value;
  }
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
  for (const auto& [text, value] : {std::pair{" 80abc", 80.0}, {"\t\n-12.5x", -12.5}, {"+.5", 0.5}, {"1.2.3", 1.2},
                                    {"", 0.0}, {"-", 0.0}, {"abc12", 0.0}}) {
    EXPECT_EQ(ReadLeadingNumber(text), value) << text;
  }
}

}  // namespace
}  // namespace quindo
