// The week chart: one row per shown day type, a 24-hour axis with hour lines,
// one green bar per period over a grey gradient, labels or images at the
// left, and a mark at the top right of grouped day types.
#include <algorithm>

#include "common/error.h"
#include "common/numbers.h"
#include "common/settings.h"
#include "model/paint/paint_surface.h"
#include "model/schedule/period_cover.h"
#include "model/schedule/schedule_geometry.h"
#include "model/schedule/schedule_host.h"
#include "model/schedule/time_schedule.h"

namespace quindo {
namespace {

using namespace schedule_layout;

// Rows shown when the calendar is not used: Monday to Sunday.
constexpr int16_t kWeekRows = 7;
// Scroll steps per row beyond the seventh.
constexpr int16_t kScrollStepsPerRow = 4;
// The picture is 4 units taller than its rows, room for the last separator.
constexpr int32_t kPictureExtraHeight = 4;

constexpr Rgb kHourLine = Grey(148);
constexpr Rgb kSeparatorUpper = Grey(0);
constexpr Rgb kSeparatorLower = Grey(255);
constexpr Rgb kBarEnd = Grey(0);
// Gradients over the 15 bar lines: 100 and 108 levels in 15 steps, rounded.
constexpr int kBackgroundTop = 220;
constexpr int kBarGreenTop = 240;
constexpr int kSelectedDarker = 64;
constexpr int kGradientStep = 7;
// The group mark: lines of 5, 4, 3, 2 and 1 units, light to darker grey.
constexpr std::array<int, 5> kGroupMarkGreys = {255, 245, 235, 225, 205};
constexpr int kGroupMarkRight = 317;
// Gap between a label or image and the axis.
constexpr int kLabelGap = 2;
constexpr int kImageGap = 4;
constexpr int kFirstSpecialDayType = 7;
// Special day type k (1..16), day type k + 6, shows image k.
constexpr int kImageOffset = 6;

}  // namespace

void cTimeSchedule::RecalculateAndPrepareToPaint(ScheduleHost& parent_container, PaintSurface*& paint_object,
                                                 PaintSurface* schedule_paint_object) {
  if (paint_object == nullptr) paint_object = schedule_paint_object;
  m_NumberOfAxisToPaint = 0;
  parent_container.Set_VScroll_Schedule_Top(0);
  // The scroll bar stands at the frame's right edge, as tall as the frame.
  parent_container.Set_VScroll_Schedule_Left(parent_container.Get_Picture_TimeSchedule_Frame_ScaleWidth() -
                                             parent_container.Get_VScroll_Schedule_Width());
  parent_container.Set_VScroll_Schedule_Height(parent_container.Get_Picture_TimeSchedule_Frame_ScaleHeight());

  m_NumberOfAxisToPaint = static_cast<int16_t>(
      std::count_if(m_DayTypeActive.begin(), m_DayTypeActive.end(), [](int16_t a) { return a != 0; }));
  if (m_UseCalendar == 0) m_NumberOfAxisToPaint = kWeekRows;
  parent_container.Set_VScroll_Schedule_Max(
      static_cast<int16_t>((m_NumberOfAxisToPaint - kWeekRows) * kScrollStepsPerRow));
  m_ScaleFactor = 1440.0f / 24 / 60;

  parent_container.Set_Picture_TimeSchedule_Left(0);
  parent_container.Set_Picture_TimeSchedule_Top(0);
  parent_container.Set_Picture_TimeSchedule_Width(parent_container.Get_VScroll_Schedule_Left());
  parent_container.Set_Picture_TimeSchedule_Height(kRowHeight * m_NumberOfAxisToPaint + kPictureExtraHeight);

  m_AxisOfDayType = AssignRows(m_DayTypeActive);
}

void cTimeSchedule::Paint(ScheduleHost& parent_container, PaintSurface* paint_object) {
  if (paint_object == nullptr) return;
  const int32_t rows = m_NumberOfAxisToPaint;
  const int32_t right = kLeftMargin + kAxisWidth;
  for (int h = 0; h <= 24; ++h) {
    const int x = kHourWidth * h + kLeftMargin;
    paint_object->Line(x, 0, x, RowTopY(rows), kHourLine);
  }
  for (int32_t r = 0; r < rows; ++r) {
    paint_object->Line(kLeftMargin, RowTopY(r) + 24, right, RowTopY(r) + 24, kSeparatorUpper);
    paint_object->Line(kLeftMargin, RowTopY(r) + 25, right, RowTopY(r) + 25, kSeparatorLower);
  }
  for (int d = 0; d < kDayTypes; ++d) {
    if (m_DayTypeActive[d] != 0) PaintAxis(parent_container, paint_object, d);
  }
}

void cTimeSchedule::PaintAxis(ScheduleHost& parent_container, PaintSurface* paint_object, int32_t day_type) {
  if (paint_object == nullptr) throw Error(kObjectRequired);
  const int32_t text_height = RoundToInteger<int32_t>(paint_object->TextHeight("8"));
  CheckDayType(day_type);
  // An inactive day type has no row: its row number is the next active
  // one's, which painting it would cover with the wrong periods and label.
  // The group operations reach inactive day types; they change only data.
  if (m_DayTypeActive[day_type] == 0) return;
  const int32_t row = m_AxisOfDayType[day_type];
  const int32_t right = kLeftMargin + kAxisWidth;

  // The 24:00 mark at the top of the chart, whatever the row.
  paint_object->Line(right, 0, right, kRowHeight, kHourLine);
  for (int i = 0; i < kBarHeight; ++i) {
    paint_object->Stripe(kLeftMargin, BarLineY(row, i), right, BarLineY(row, i),
                         Grey(kBackgroundTop - kGradientStep * i));
  }

  // A bar shows the minutes a period covers, the rule the schedule's
  // answers follow: an odd stored period is clipped to the day, and one
  // that covers nothing (stop at or before start) draws nothing.
  for (const PeriodRef& period : m_Periods[day_type]) {
    const std::optional<MinuteSpan> span = CoveredSpan(*period);
    if (!span) continue;
    const int32_t xs = MinuteToX(span->start, m_ScaleFactor);
    const int32_t xe = BarEndX(span->stop, m_ScaleFactor);
    const int green_top = period == m_SelectedPeriod ? kBarGreenTop - kSelectedDarker : kBarGreenTop;
    for (int i = 0; i < kBarHeight; ++i) {
      const Rgb green{0, static_cast<uint8_t>(green_top - kGradientStep * i), 0};
      paint_object->Stripe(xs, BarLineY(row, i), xe, BarLineY(row, i), green);
    }
    paint_object->Line(xs, BarLineY(row, 0), xs, BarLineY(row, kBarHeight), kBarEnd);
    paint_object->Line(xe, BarLineY(row, 0), xe, BarLineY(row, kBarHeight), kBarEnd);
  }

  // Text is centred on the bar by the height of a digit.
  const double text_y = BarLineY(row, 0) + (kBarHeight - text_height) / 2.0;
  if (day_type < kFirstSpecialDayType) {
    const std::string& label = DayTypeShortNames()[day_type];
    paint_object->SetCurrentY(text_y);
    paint_object->SetCurrentX(kLeftMargin - paint_object->TextWidth(label) - kLabelGap);
    paint_object->Print(label);
  } else {
    const int32_t image_y = RoundToInteger<int32_t>(
        BarLineY(row, 0) + (kBarHeight - parent_container.Get_ImageList_ImageHeight()) / 2);
    const double image_x = kLeftMargin - parent_container.Get_ImageList_ImageWidth() - kImageGap;
    parent_container.Draw_ImageList_ListImages(day_type - kImageOffset, paint_object->hDC(), image_x, image_y,
                                               std::nullopt);
  }

  if (parent_container.Get_Check_TimeSchedule_ViewDayType()) {
    const std::string& name = DayTypeNames()[day_type];
    paint_object->SetCurrentY(text_y);
    paint_object->SetCurrentX((kAxisWidth - paint_object->TextWidth(name)) / 2 + kLeftMargin);
    paint_object->Print(name);
  }

  if (m_DayTypeGrouped[day_type] != 0) {
    for (int k = 0; k < static_cast<int>(kGroupMarkGreys.size()); ++k) {
      paint_object->Stripe(kGroupMarkRight, BarLineY(row, k), kGroupMarkRight - (5 - k), BarLineY(row, k),
                           Grey(kGroupMarkGreys[k]));
    }
  }
}

}  // namespace quindo
