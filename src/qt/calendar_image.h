#pragma once
// A month of a calendar drawn by the month view's own painting onto an
// image, one pixel per unit: for the PNG renderer and the paint benchmark.

#include <QImage>
#include <QSize>

namespace quindo {

class cCalendar;
struct CalendarLocale;

// The month view's size: the grid ends at (310, 170).
inline QSize CalendarImageSize() { return {320, 180}; }

// Recalculates the calendar for its m_SelectedMonth and m_SelectedYear with
// `today` (a date serial) and paints that month onto an image filled white,
// with white as the surface's background colour and the 16 special day-type
// images. Raises what Paint raises (error 9 for a month outside 2000..2039).
QImage RenderCalendarMonth(cCalendar& calendar, const CalendarLocale& locale, double today);

}  // namespace quindo
