#include "model/calendar/calendar_geometry.h"

#include <algorithm>
#include <cmath>

#include "common/dates.h"
#include "model/calendar/day_number.h"

namespace quindo {

using namespace calendar_layout;

ShownMonth ComputeShownMonth(int32_t year, int32_t month) {
  const int64_t months = static_cast<int64_t>(year) * 12 + (month - 1);
  const int64_t whole_years = months >= 0 ? months / 12 : (months - 11) / 12;
  const auto first_year = static_cast<int32_t>(whole_years);
  const auto first_month = static_cast<int32_t>(months - whole_years * 12 + 1);
  ShownMonth shown;
  shown.first_serial = DaysFromCivil(first_year, first_month, 1);
  const int64_t next_serial = first_month == 12 ? DaysFromCivil(first_year + 1, 1, 1)
                                                : DaysFromCivil(first_year, first_month + 1, 1);
  shown.offset = static_cast<int32_t>(shown.first_serial - kSerialOfDayZero);
  shown.first_weekday = WeekdayOfDayNumber(shown.offset);
  shown.days = static_cast<int32_t>(next_serial - shown.first_serial);
  return shown;
}

DayCell CellOfDayIndex(int32_t day_index, int32_t first_weekday) {
  const int32_t position = day_index + first_weekday;
  return {position / kColumns, position % kColumns};
}

double TimeBarX(int32_t column, double minute) {
  return BoxLeft(column) + minute * kTimeBarWidth / kMinutesPerDay;
}

int16_t DayIndexAt(double x, double y, int32_t first_weekday, int32_t days) {
  if (std::isnan(x) || std::isnan(y)) return -1;
  if (x <= kGridLeft || x >= kGridRight || y <= kGridTop || y >= kGridBottom) return -1;
  // Rounding can carry a point in the last half unit onto the grid's edge;
  // it still belongs to the last column or row, not to the next row's start.
  // nearbyint rounds half to even in the default rounding mode.
  const auto rounded_y = static_cast<int32_t>(std::nearbyint(y - kGridTop));
  const auto rounded_x = static_cast<int32_t>(std::nearbyint(x - kGridLeft));
  const int32_t row = std::min(rounded_y / kCellHeight, kRows - 1);
  const int32_t column = std::min(rounded_x / kCellWidth, kColumns - 1);
  const int32_t index = kColumns * row - first_weekday + column;
  return index >= 0 && index < days ? static_cast<int16_t>(index) : -1;
}

}  // namespace quindo
