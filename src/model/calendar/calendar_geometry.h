#pragma once
// The month view's layout in paint-surface units (one unit per pixel): seven
// columns, Monday first, by six rows of 40 x 25 cells, the top left cell at
// (30, 20). Painting and hit testing both go through these functions, so a
// press lands on the date that was drawn there.

#include <cstdint>

namespace quindo {

namespace calendar_layout {
constexpr int32_t kGridLeft = 30;
constexpr int32_t kGridTop = 20;
constexpr int32_t kCellWidth = 40;
constexpr int32_t kCellHeight = 25;
constexpr int32_t kColumns = 7;
constexpr int32_t kRows = 6;
constexpr int32_t kGridRight = kGridLeft + kColumns * kCellWidth;  // 310
constexpr int32_t kGridBottom = kGridTop + kRows * kCellHeight;    // 170
// A date box's interior lies 2 units inside its cell's grid lines.
constexpr int32_t kBoxInset = 2;
constexpr int32_t kBoxWidth = 37;
constexpr int32_t kBoxHeight = 22;
// The time bar: 5 lines at the bottom of the box, 37 units for 24 hours.
constexpr int32_t kTimeBarTop = 19;  // below the cell's top line
constexpr int32_t kTimeBarLines = 5;
constexpr int32_t kTimeBarWidth = 37;
constexpr int32_t kMinutesPerDay = 1440;
}  // namespace calendar_layout

struct ShownMonth {
  int64_t first_serial = 0;       // date serial of the month's first day
  int32_t offset = 0;             // day number of the month's first day
  int32_t first_weekday = 0;      // 0 = Monday .. 6 = Sunday
  int32_t days = 0;               // days in the month
};

// The month `month` of `year`; a month outside 1..12 rolls into the
// neighbouring years (month 13 of 2023 is January 2024).
ShownMonth ComputeShownMonth(int32_t year, int32_t month);

struct DayCell {
  int32_t row = 0;
  int32_t column = 0;
};
// The cell of day index i (0 = the month's first day).
DayCell CellOfDayIndex(int32_t day_index, int32_t first_weekday);

inline int32_t CellLeft(int32_t column) {
  return calendar_layout::kGridLeft + calendar_layout::kCellWidth * column;
}
inline int32_t CellTop(int32_t row) {
  return calendar_layout::kGridTop + calendar_layout::kCellHeight * row;
}
inline int32_t BoxLeft(int32_t column) { return CellLeft(column) + calendar_layout::kBoxInset; }
inline int32_t BoxTop(int32_t row) { return CellTop(row) + calendar_layout::kBoxInset; }

// Where minute m of the day lies in a time bar of the given column
// (unrounded; the caller rounds period ends half to even).
double TimeBarX(int32_t column, double minute);

// The day index under (x, y), or -1 outside the grid, on a cell without a
// date, or when either coordinate is not a number. Points are rounded half to
// even; the grid's last half unit still belongs to the last column and row.
int16_t DayIndexAt(double x, double y, int32_t first_weekday, int32_t days);

}  // namespace quindo
