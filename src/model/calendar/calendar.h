#pragma once
// A day type for every date from 1 January 2000 (day 0) to 31 December 2039
// (day 14,609). Day type 0 means the date's own weekday, 1..7 Monday..Sunday
// and 8..23 the sixteen special day types; calendar day type d >= 1 selects
// schedule day type d - 1. The store does not check the value: any 16-bit
// value is kept.
//
// Flags are 16-bit: true is -1, false is 0.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "model/calendar/day_number.h"

namespace quindo {

class CalendarHost;
class PaintSurface;
class cTimeSchedule;
struct CalendarLocale;

class cCalendar {
 public:
  static constexpr int32_t kDays = kCalendarDays;
  static constexpr int16_t kUsedFlags = 23;
  // The calendar file: every day type as 16-bit little-endian, day order.
  static constexpr int64_t kFileSize = 2 * kDays;

  // Set by the holder: the month the view shows.
  int32_t m_SelectedMonth = 0;
  int32_t m_SelectedYear = 0;
  // Computed by the month view from the selected month.
  int32_t m_ActualMonthOffset = 0;
  int32_t m_FirstWeekDayInActualMonth = 0;
  int32_t m_DaysInActualMonth = 0;
  int32_t m_TodaysDayOffset = 0;
  int16_t m_ShowTimeAxis = 0;
  // The schedule whose periods the view shows; may be empty.
  std::shared_ptr<cTimeSchedule> m_AssociatedTimeSchedule;

  // A day outside 0..14,609 raises error 9 and stores nothing.
  void SetDayType(int32_t the_day, int16_t day_type);
  int16_t GetDayType(int32_t the_day) const;

  // Always false: nothing sets the flags. Outside 0..22 raises error 9.
  int16_t IsDayTypeUsed(int16_t day_type) const;
  void notused_CalcIfDayTypeIsUsed() {}

  // False, changing nothing, when no ordinary file of that name exists.
  // Otherwise reads the whole file and takes its first 29,220 bytes; a file
  // that is shorter raises 62 and changes no day, and open or read failures
  // are raised too.
  int16_t ReadFromDisk(const std::string& calendar_name);
  // Replaces the file's content by the 29,220 bytes of the store in one step
  // (temporary file and rename): a failure is raised and the old file stays
  // as it was. True when it returns.
  int16_t SaveToDisk(const std::string& calendar_name) const;
  // With a file of that name: true when its days equal the store (a file
  // shorter than 29,220 bytes raises 62). Without one: true when every day
  // is 0. Never creates a file.
  int16_t CompareToDiskOrSeeIfAnyDayIsSet(const std::string& calendar_name) const;
  // True when every day equals the other calendar's.
  int16_t CompareToOtherCalendar(const cCalendar& other_calendar) const;

  // The 29,220 bytes of the calendar file, and the store from the first
  // 29,220 bytes of a file's content (shorter raises 62, changing nothing).
  std::string ToFileBytes() const;
  void FromFileBytes(std::string_view bytes);

  // The month view (calendar_paint.cc, calendar_mouse.cc). The host owns the
  // paint surface; a null surface raises error 424 at the first drawing.
  //
  // Computes the shown month's fields from m_SelectedMonth and m_SelectedYear
  // (taken as 16-bit values, else error 6; a month outside 1..12 rolls into
  // the neighbouring years) and today's day number from `today`, a date
  // serial the caller may pin; it also ends painting by mouse.
  void RecalculateAndPrepareToPaint(double today = Now());
  // Draws the grid, the weekday headers, the week numbers and every date box
  // over what the surface holds, and shows the month's caption on the host.
  // Week numbers and the caption follow `locale`. A shown month outside
  // 2000..2039 raises error 9 before anything is drawn.
  void Paint(CalendarHost& parent_container, PaintSurface* paint_object,
             const CalendarLocale& locale);
  // Draws the box of day index `date_to_paint_in_actual_month` (0 = the
  // month's first day). A day outside 2000..2039 raises error 9.
  void PaintDateBox(CalendarHost& parent_container, PaintSurface* paint_object,
                    int32_t date_to_paint_in_actual_month);
  // Painting day types by mouse: any button starts painting with the day
  // type selected in the host's list, and each date entered takes it. Both
  // return true when they changed a day's type, so a host knows to save.
  // MouseMove also sets the tooltip and ignores every error.
  bool MouseDown(CalendarHost& parent_container, PaintSurface* paint_object, int16_t button,
                 int16_t shift, float x, float y);
  bool MouseMove(CalendarHost& parent_container, PaintSurface* paint_object, int16_t button,
                 int16_t shift, float x, float y);
  void MouseUp(int16_t button, int16_t shift, float x, float y);

  // View state, for hosts and tests.
  int16_t MouseButton() const { return m_MouseButton; }
  int16_t PaintDayType() const { return m_PaintDayType; }
  int32_t LastDayIndex() const { return m_LastDayIndex; }

 private:
  // The day index under a point of the surface, or -1.
  int16_t GetDayIndexAt(float x, float y) const;
  // Step 7 of a date box: the periods of the associated schedule.
  void PaintTimeBar(PaintSurface& surface, int32_t day_index, int32_t row, int32_t column,
                    int16_t day_type) const;

  int16_t m_MouseButton = 0;   // nonzero while the user paints
  int16_t m_PaintDayType = 0;  // day type being painted, -1 = none
  int32_t m_LastDayIndex = 0;  // day index under the pointer at the last move, -1 = none

  std::array<int16_t, kDays> m_DayTypes{};
  std::array<int16_t, kUsedFlags> m_DayTypeUsed{};
};

}  // namespace quindo
