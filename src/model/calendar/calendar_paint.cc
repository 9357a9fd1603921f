// The month view's painting: the grid with its headers and week numbers, and
// one box per date with its strips, day type and time bar.
#include <cmath>

#include "common/error.h"
#include "common/language.h"
#include "common/numbers.h"
#include "common/settings.h"
#include "model/calendar/calendar.h"
#include "model/calendar/calendar_geometry.h"
#include "model/calendar/calendar_host.h"
#include "model/calendar/calendar_locale.h"
#include "model/calendar/holiday_label.h"
#include "model/paint/paint_surface.h"
#include "model/schedule/period_cover.h"
#include "model/schedule/schedule_answers.h"
#include "model/schedule/time_schedule.h"

namespace quindo {
namespace {

using namespace calendar_layout;

// The platform's user-interface colours for grey (disabled) and button text.
constexpr Rgb kSystemGrayText = Grey(109);
constexpr Rgb kSystemButtonText = Grey(0);
constexpr Rgb kBlack = Grey(0);
constexpr Rgb kWhite = Grey(255);
constexpr Rgb kPeriodEdge = Grey(128);

// A strip fades over the box's 25 lines by 64 levels: 64 / 25 rounded.
constexpr int kStripStep = 3;
constexpr int kStripWidth = 14;
constexpr int kFullStripLines = kBoxHeight;                    // 22
constexpr int kShortStripLines = kBoxHeight - 6;               // 16, above the time bar
constexpr int kTimeBarShade = 20;   // background grey 220, 200, ... 140
constexpr int kPeriodShade = 19;    // period green 240, 221, ... 164
constexpr int kFirstWeekdayText = 611;  // 611 Monday .. 617 Sunday

PaintSurface& RequireSurface(PaintSurface* surface) {
  if (surface == nullptr) throw Error(kObjectRequired);
  return *surface;
}

// The first `count` characters of a UTF-8 text.
std::string FirstCharacters(const std::string& text, int count) {
  size_t end = 0;
  for (int seen = 0; end < text.size(); ++end) {
    if ((static_cast<unsigned char>(text[end]) & 0xC0) != 0x80 && seen++ == count) break;
  }
  return text.substr(0, end);
}

bool IsShownHoliday(int32_t day_number) {
  const std::vector<int16_t>& days = HolidayDays();
  if (day_number < 0 || static_cast<size_t>(day_number) >= days.size() || days[day_number] == 0) {
    return false;
  }
  for (const auto& [key, label] : HolidayLabels()) {
    if (label && label->m_Day == day_number && label->m_ViewInCalendar != 0) return true;
  }
  return false;
}

void PaintStrip(PaintSurface& surface, int32_t row, int32_t column, int lines, Rgb (*colour)(int)) {
  const int32_t left = BoxLeft(column);
  for (int k = 0; k < lines; ++k) {
    const int32_t y = BoxTop(row) + k;
    surface.Stripe(left, y, left + kStripWidth, y, colour(k));
  }
}

Rgb HolidayStripColour(int k) {
  const auto level = static_cast<uint8_t>(192 - kStripStep * k);
  return Rgb{255, level, level};
}

Rgb TodayStripColour(int k) { return Rgb{0, static_cast<uint8_t>(255 - kStripStep * k), 255}; }

}  // namespace

void cCalendar::RecalculateAndPrepareToPaint(double today) {
  const ShownMonth shown = ComputeShownMonth(CheckedNarrow<int16_t>(m_SelectedYear),
                                             CheckedNarrow<int16_t>(m_SelectedMonth));
  m_ActualMonthOffset = shown.offset;
  m_FirstWeekDayInActualMonth = shown.first_weekday;
  m_DaysInActualMonth = shown.days;
  // Today's whole day; a date serial's fraction is the time of day.
  m_TodaysDayOffset = static_cast<int32_t>(std::floor(today)) - kSerialOfDayZero;
  m_PaintDayType = -1;
}

void cCalendar::Paint(CalendarHost& parent_container, PaintSurface* paint_object,
                      const CalendarLocale& locale) {
  PaintSurface& surface = RequireSurface(paint_object);
  // Refused before drawing, so a month the store does not hold leaves no
  // half-drawn grid behind.
  if (m_ActualMonthOffset < 0 || m_DaysInActualMonth < 0 ||
      m_ActualMonthOffset + m_DaysInActualMonth > kDays) {
    throw Error(kSubscriptOutOfRange);
  }
  const ShownMonth first = ComputeShownMonth(CheckedNarrow<int16_t>(m_SelectedYear),
                                             CheckedNarrow<int16_t>(m_SelectedMonth));

  surface.SetFontBold(true);
  const int32_t h = RoundToInteger<int32_t>(surface.TextHeight("8"));
  const int32_t band_top = 16 - h;  // the header band above the grid

  // Each grid line is black with a white line one unit right of or below it.
  for (int i = 0; i <= kColumns; ++i) {
    surface.Line(CellLeft(i) + 1, band_top, CellLeft(i) + 1, kGridBottom, kWhite);
  }
  surface.Line(kGridLeft, band_top, kGridRight, band_top, kWhite);
  for (int i = 0; i <= kRows; ++i) {
    surface.Line(kGridLeft, CellTop(i) + 1, kGridRight, CellTop(i) + 1, kWhite);
  }
  for (int i = 0; i <= kColumns; ++i) {
    surface.Line(CellLeft(i), band_top, CellLeft(i), kGridBottom, kBlack);
  }
  surface.Line(kGridLeft, band_top - 1, kGridRight, band_top - 1, kBlack);
  for (int i = 0; i <= kRows; ++i) {
    surface.Line(kGridLeft, CellTop(i), kGridRight, CellTop(i), kBlack);
  }

  surface.SetCurrentY(18 - h);
  for (int i = 0; i < kColumns; ++i) {
    const std::string header = FirstCharacters(GetLanguageText(kFirstWeekdayText + i), 3);
    surface.SetCurrentX(CellLeft(i) + (kCellWidth - surface.TextWidth(header)) / 2);
    surface.Print(header);
  }

  parent_container.Set_Text_Calendar_Month(MonthCaption(locale, first.first_serial));

  surface.SetFontBold(false);
  surface.SetForeColor(kSystemGrayText);
  // Each row shows the week of its day 1, 8, 15, ... of the month; the sixth
  // row's day may lie in the next month.
  for (int r = 0; r < kRows; ++r) {
    surface.SetCurrentX(kGridLeft - surface.TextWidth("88") - 6);
    surface.SetCurrentY(CellTop(r) + (kCellHeight - surface.TextHeight("A")) / 2);
    surface.Print(std::to_string(WeekOfYear(locale, first.first_serial + 7 * r)));
  }

  surface.SetForeColor(kSystemButtonText);
  for (int32_t i = 0; i < m_DaysInActualMonth; ++i) {
    PaintDateBox(parent_container, paint_object, i);
  }
}

void cCalendar::PaintDateBox(CalendarHost& parent_container, PaintSurface* paint_object,
                             int32_t date_to_paint_in_actual_month) {
  PaintSurface& surface = RequireSurface(paint_object);
  const int32_t i = date_to_paint_in_actual_month;
  const int32_t day = m_ActualMonthOffset + i;
  const int16_t day_type = GetDayType(day);  // raises 9 outside the store
  const DayCell cell = CellOfDayIndex(i, m_FirstWeekDayInActualMonth);
  const int32_t left = BoxLeft(cell.column);
  const int32_t top = BoxTop(cell.row);

  surface.FillBox(left, top, left + kBoxWidth - 1, top + kBoxHeight - 1, surface.BackColor());

  const int strip_lines = m_ShowTimeAxis != 0 ? kShortStripLines : kFullStripLines;
  if (cell.column == 6 || IsShownHoliday(day)) {
    PaintStrip(surface, cell.row, cell.column, strip_lines, HolidayStripColour);
  }
  if (day == m_TodaysDayOffset) {
    PaintStrip(surface, cell.row, cell.column, strip_lines, TodayStripColour);
  }

  surface.SetForeColor(kSystemGrayText);
  surface.SetCurrentX(left);
  surface.SetCurrentY(top);
  surface.Print(std::to_string(i + 1));
  surface.SetForeColor(kSystemButtonText);

  if (day_type >= 1 && day_type <= 7) {
    const std::string& name = DayTypeShortNames()[day_type - 1];
    surface.SetCurrentX(CellLeft(cell.column + 1) - surface.TextWidth(name) - 2);
    surface.SetCurrentY(top);
    surface.Print(name);
  } else if (day_type >= 8 && day_type <= 23) {
    parent_container.Draw_ImageList_ListImages(day_type - 7, surface.hDC(), CellLeft(cell.column) + 30,
                                               top, 1);
  }

  if (m_ShowTimeAxis != 0 && m_AssociatedTimeSchedule) {
    PaintTimeBar(surface, i, cell.row, cell.column, day_type);
  }
}

void cCalendar::PaintTimeBar(PaintSurface& surface, int32_t day_index, int32_t row, int32_t column,
                             int16_t day_type) const {
  const cTimeSchedule& schedule = *m_AssociatedTimeSchedule;
  // A day type whose schedule day type is inactive falls back to the date's
  // own weekday, as "is the schedule active" answers it. Stored values past
  // the 23 day types do the same, instead of failing the whole paint.
  const int16_t schedule_day_type =
      DecidingDayType(schedule, day_type, (m_FirstWeekDayInActualMonth + day_index) % 7);

  const int32_t left = BoxLeft(column);
  const int32_t bar_top = CellTop(row) + kTimeBarTop;
  for (int k = 0; k < kTimeBarLines; ++k) {
    surface.Stripe(left, bar_top + k, left + kTimeBarWidth, bar_top + k, Grey(220 - kTimeBarShade * k));
  }
  int16_t start = 0;
  int16_t stop = 0;
  for (PeriodRef period = schedule.GetNextTimePeriod(schedule_day_type, start, stop); period;
       period = schedule.GetNextTimePeriod(schedule_day_type, start, stop, period)) {
    // The minutes the period covers, as the week chart and the schedule's
    // answers read it: an odd stored period is clipped or left out.
    const std::optional<MinuteSpan> span = CoveredSpan(*period);
    if (!span) continue;
    const int32_t x1 = RoundToInteger<int32_t>(TimeBarX(column, span->start));
    const int32_t x2 = RoundToInteger<int32_t>(TimeBarX(column, span->stop));
    for (int k = 0; k < kTimeBarLines; ++k) {
      surface.Stripe(x1, bar_top + k, x2, bar_top + k,
                     Rgb{0, static_cast<uint8_t>(240 - kPeriodShade * k), 0});
    }
    surface.Line(x1, bar_top, x1, bar_top + kTimeBarLines, kPeriodEdge);
    surface.Line(x2, bar_top, x2, bar_top + kTimeBarLines, kPeriodEdge);
  }
}

}  // namespace quindo
