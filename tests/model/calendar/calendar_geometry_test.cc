// The month view's day <-> cell mapping, shared by painting and hit testing.
#include "model/calendar/calendar_geometry.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

namespace quindo {
namespace {

TEST(CalendarGeometryTest, ShownMonthFacts) {
  struct Case {
    int32_t year, month, offset, first_weekday, days;
  } cases[] = {
      {2000, 1, 0, 5, 31},       // a Saturday
      {2024, 3, 8826, 4, 31},    // a Friday
      {2024, 2, 8797, 3, 29},    // leap February
      {2100, 2, 36556, 0, 28},   // no leap day in 2100
      {2039, 12, 14579, 3, 31},  // its last day is day 14,609
      {2023, 13, 8766, 0, 31},   // month 13 rolls into January 2024
      {2024, 0, 8735, 4, 31},    // month 0 is December 2023
      {2024, -11, 8401, 6, 31},  // January 2023
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.year << "/" << c.month);
    const ShownMonth shown = ComputeShownMonth(c.year, c.month);
    EXPECT_EQ(shown.offset, c.offset);
    EXPECT_EQ(shown.first_weekday, c.first_weekday);
    EXPECT_EQ(shown.days, c.days);
  }
}

TEST(CalendarGeometryTest, CellsAndHitTestingAreInverse) {
  // Every first weekday and a 31-day month: a month that starts on Sunday
  // reaches the sixth row.
  for (int32_t first = 0; first < 7; ++first) {
    for (int32_t i = 0; i < 31; ++i) {
      const DayCell cell = CellOfDayIndex(i, first);
      // The box's corners and centre all hit the same day.
      for (double dx : {0.5, 20.0, 39.4}) {
        for (double dy : {0.6, 12.0, 24.4}) {
          EXPECT_EQ(DayIndexAt(CellLeft(cell.column) + dx, CellTop(cell.row) + dy, first, 31), i)
              << first << " " << i << " " << dx << " " << dy;
        }
      }
    }
  }
}

TEST(CalendarGeometryTest, PointsOutsideDatesGiveMinusOne) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    double x, y;
    int16_t expected;
  } cases[] = {
      {35, 30, -1},   // Monday of the first row, before the 1st (a Friday)
      {195, 30, 0},   // Friday of the first row
      {10, 30, -1},   // week-number column
      {10, 100, -1},
      {30, 30, -1},   // on the left edge
      {310, 30, -1},  // on the right edge
      {100, 20, -1},  // on the top edge
      {100, 170, -1},
      {30.4, 44.4, -1},   // rounds onto the grid's left edge: Monday of row 0
      {30.6, 45.6, 3},    // Monday of row 1 is the 4th
      {309.6, 30, 2},     // rounds to 310 but stays on Sunday the 3rd
      {309.6, 169.6, -1}, // last cell, past the 31st
      {50, 160, -1},      // the cell right after the 31st
      {70, 70, 11},       // Tuesday of row 2
      {nan, 30, -1},
      {195, nan, -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DayIndexAt(c.x, c.y, 4, 31), c.expected) << c.x << ", " << c.y;
  }
}

}  // namespace
}  // namespace quindo
