#pragma once
// The week chart's geometry, in paint-surface units: one unit per 5 minutes
// at scale 1.0, rows of 25 units, a 15-line bar in each row. Painting and hit
// testing both go through these functions, so a press lands on the minute and
// row where the bar was drawn.

#include <array>
#include <cstdint>
#include "common/export.h"

namespace quindo {

namespace schedule_layout {
constexpr int kLeftMargin = 30;  // x of 00:00; labels and images lie left of it
constexpr int kAxisWidth = 288;  // 24 hours x 12 units: x of 24:00 is 318
constexpr int kHourWidth = 12;
constexpr int kRowHeight = 25;
constexpr int kBarTop = 4;      // first bar line below a row's top
constexpr int kBarHeight = 15;  // bar lines 4..18 of a row
constexpr int kMinutesPerUnit = 5;
constexpr int kLastMinute = 1440;  // 24:00
constexpr int kDayTypes = 23;
}  // namespace schedule_layout

// x of a minute: round(minute x scale / 5) + 30, halves to even.
QUINDO_EXPORT int32_t MinuteToX(int32_t minute, float scale);
// x of a bar's right end: a period covers its stop minute's unit too, so the
// end lies one minute further, round((stop + 1) x scale / 5) + 30.
QUINDO_EXPORT int32_t BarEndX(int32_t stop_minute, float scale);
// A view may show the time axis wider than its units, the chart filling a
// wide pane: x at or left of the axis start (the labels and images) stays
// where it is, and x right of it is stretched by `stretch` (1 or more) from
// there. Painting maps units to view pixels with StretchedX, hit testing
// maps pixels back with UnstretchedX, so a press still lands on the minute
// drawn under it. A stretch of 1 is the chart in its own units.
QUINDO_EXPORT double StretchedX(double unit_x, double stretch);
QUINDO_EXPORT double UnstretchedX(double pixel_x, double stretch);
// The stretch at which a picture `picture_units` wide fills `pixel_width`
// view pixels; 1 when the pixels are fewer than the units.
QUINDO_EXPORT double AxisStretchFor(double pixel_width, double picture_units);

// y of a row's top, and of line i (0..14) of the row's bar.
constexpr int32_t RowTopY(int32_t row) { return schedule_layout::kRowHeight * row; }
constexpr int32_t BarLineY(int32_t row, int32_t line) {
  return RowTopY(row) + schedule_layout::kBarTop + line;
}

// The hit test of a point on the chart. A negative minute says where the
// point lies off the time axis; the row is then 0 and means nothing.
enum AxisMiss : int32_t {
  kOutsideRows = -3,  // above the first bar or below the last row
  kLeftOfAxis = -2,   // on the labels
  kRightOfAxis = -1,  // past 24:00
};
struct QUINDO_EXPORT AxisPoint {
  int32_t minute = 0;
  int32_t row = 0;
};
// Rows are checked first, then the left margin, then the right end at
// 288 / scale + 30 + scale (319 at scale 1.0, in single precision). The
// minute is round((x - 30) x 5 / scale), halves to even, at most 1440: the
// last unit column before x = 319 would otherwise give 1441 to 1445. The row
// is the whole part of (y - 4) / 25. A scale of 0 (no recalculation yet)
// raises error 11 once the x tests are reached.
QUINDO_EXPORT AxisPoint LocatePoint(float x, float y, int32_t rows, float scale);

// The day type painted on a row: the (row + 1)-th active day type counting
// from 0, or -1 when there are not that many.
QUINDO_EXPORT int32_t DayTypeAtRow(const std::array<int16_t, schedule_layout::kDayTypes>& active, int32_t row);
// Rows of all day types: an active day type's row is the number of active
// day types before it; an inactive one gets the row of the next active one.
QUINDO_EXPORT std::array<int16_t, schedule_layout::kDayTypes> AssignRows(
    const std::array<int16_t, schedule_layout::kDayTypes>& active);

}  // namespace quindo
