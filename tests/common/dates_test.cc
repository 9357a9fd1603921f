#include "common/dates.h"

#include <gtest/gtest.h>

#include "common/error.h"

namespace quindo {
namespace {

TEST(DatesTest, DaysCountFrom30December1899ToTheSecondWithinYears100To9999) {
  EXPECT_EQ(DaysFromCivil(1899, 12, 30), 0);
  EXPECT_EQ(DaysFromCivil(1900, 3, 1), 61);  // 1900 is no leap year
  EXPECT_EQ(DaysFromCivil(2000, 1, 1), 36526);
  EXPECT_EQ(FormatTimestamp(0), "1899-12-30 00:00:00");
  EXPECT_EQ(FormatTimestamp(36526.75), "2000-01-01 18:00:00");
  const CivilDateTime civil{2024, 3, 5, 7, 4, 9};
  const double date = DateFromCivil(civil);
  EXPECT_NEAR(date, 45356 + (7 * 3600 + 4 * 60 + 9) / 86400.0, 1e-9);
  EXPECT_EQ(FormatTimestamp(date), "2024-03-05 07:04:09");
  // A fraction just short of midnight rounds into the next day.
  EXPECT_EQ(FormatTimestamp(45356.9999999), "2024-03-06 00:00:00");
  // Before day 0 the whole days count back and the fraction is the time.
  EXPECT_EQ(FormatTimestamp(-1.5), "1899-12-29 12:00:00");
  EXPECT_EQ(DateFromCivil(CivilFromDate(-1.5)), -1.5);
  // The first and last seconds of years 100 to 9999; beyond them, dates overflow.
  EXPECT_EQ(FormatTimestamp(2958465.99999), "9999-12-31 23:59:59");
  EXPECT_EQ(FormatTimestamp(-657434.5), "0100-01-01 12:00:00");
  for (double beyond : {2958466.0, -657435.0, 1e300, -1e19}) {
    EXPECT_THROW(FormatTimestamp(beyond), Error) << beyond;
  }
}

}  // namespace
}  // namespace quindo
