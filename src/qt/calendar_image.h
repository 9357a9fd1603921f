#pragma once
// A month of a calendar drawn by the month view's own painting onto an
// image, one pixel per unit: for the PNG renderer and the paint benchmark.

#include <cstdint>

#include <QImage>
#include <QSize>
#include "common/export.h"

namespace quindo {

class cCalendar;
struct CalendarLocale;

// The month view's size: the grid ends at (310, 170).
inline QSize CalendarImageSize() { return {320, 180}; }

// The month view's Draw_ImageList_ListImages: draws special day-type image
// `index` (1..16) for the date box whose image place the view gives as
// (x, y), 60 + 40c and the box's top. A 16-unit image there would cover the
// column's grid line and the next box, so it is drawn with its right edge
// where a day type's abbreviation ends, 2 units left of the column's right
// grid line: inside the box, clear of the day of the month. Raises what
// DrawDayTypeImage raises.
QUINDO_EXPORT void DrawMonthDayTypeImage(int32_t index, int32_t device_context, double x, int32_t y);

// Recalculates the calendar for its m_SelectedMonth and m_SelectedYear with
// `today` (a date serial) and paints that month onto an image filled white,
// with white as the surface's background colour and the 16 special day-type
// images. Raises what Paint raises (error 9 for a month outside 2000..2039).
QUINDO_EXPORT QImage RenderCalendarMonth(cCalendar& calendar, const CalendarLocale& locale, double today);

}  // namespace quindo
