#include "model/schedule/schedule_geometry.h"

#include <cmath>

#include "common/error.h"
#include "common/numbers.h"

namespace quindo {

using namespace schedule_layout;

int32_t MinuteToX(int32_t minute, float scale) {
  return RoundToInteger<int32_t>(static_cast<double>(minute) * scale / kMinutesPerUnit) + kLeftMargin;
}

int32_t BarEndX(int32_t stop_minute, float scale) { return MinuteToX(stop_minute + 1, scale); }

double StretchedX(double unit_x, double stretch) {
  return unit_x <= kLeftMargin ? unit_x : kLeftMargin + (unit_x - kLeftMargin) * stretch;
}

double UnstretchedX(double pixel_x, double stretch) {
  return pixel_x <= kLeftMargin ? pixel_x : kLeftMargin + (pixel_x - kLeftMargin) / stretch;
}

double AxisStretchFor(double pixel_width, double picture_units) {
  if (picture_units <= kLeftMargin || pixel_width <= picture_units) return 1.0;
  return (pixel_width - kLeftMargin) / (picture_units - kLeftMargin);
}

AxisPoint LocatePoint(float x, float y, int32_t rows, float scale) {
  if (y >= static_cast<float>(kRowHeight * rows) || y <= kBarTop) return {kOutsideRows, 0};
  if (x < kLeftMargin) return {kLeftOfAxis, 0};
  if (scale == 0) throw Error(kDivisionByZero);
  const float right_end = static_cast<float>(kAxisWidth) / scale + kLeftMargin + scale;
  if (x >= right_end) return {kRightOfAxis, 0};
  int32_t minute = RoundToInteger<int32_t>((static_cast<double>(x) - kLeftMargin) * kMinutesPerUnit / scale);
  if (minute > kLastMinute) minute = kLastMinute;
  const auto row = static_cast<int32_t>(std::trunc((static_cast<double>(y) - kBarTop) / kRowHeight));
  return {minute, row};
}

int32_t DayTypeAtRow(const std::array<int16_t, kDayTypes>& active, int32_t row) {
  int32_t seen = 0;
  for (int32_t d = 0; d < kDayTypes; ++d) {
    if (active[d] == 0) continue;
    if (seen == row) return d;
    ++seen;
  }
  return -1;
}

std::array<int16_t, kDayTypes> AssignRows(const std::array<int16_t, kDayTypes>& active) {
  std::array<int16_t, kDayTypes> rows{};
  int16_t row = 0;
  for (int d = 0; d < kDayTypes; ++d) {
    rows[d] = row;
    if (active[d] != 0) ++row;
  }
  return rows;
}

}  // namespace quindo
