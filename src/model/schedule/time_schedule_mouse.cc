// Mouse editing on the week chart: picking a row and a period, dragging a
// period's edges and drawing a new period.
#include <algorithm>
#include <cstdlib>

#include "common/error.h"
#include "model/paint/paint_surface.h"
#include "model/schedule/period_cover.h"
#include "model/schedule/schedule_geometry.h"
#include "model/schedule/schedule_host.h"
#include "model/schedule/time_schedule.h"
#include "model/schedule/time_text.h"

namespace quindo {
namespace {

constexpr int16_t kLeftButton = 1;
constexpr int16_t kRightButton = 2;
// A press closer than this to a period's edge grabs the edge.
constexpr int32_t kGrabMinutes = 15;
// A press away from any edge draws a new period only after the pointer has
// moved this far, so that a plain click selects without creating anything.
constexpr int32_t kDrawMinutes = 6;

// m_DragMode
constexpr int16_t kDragNone = 0;
constexpr int16_t kDragStart = 1;
constexpr int16_t kDragStop = 2;
constexpr int16_t kDragNew = 3;

// Day types 0 to 4 (Monday to Friday) form the group of Grouped Monday-Friday.
constexpr int32_t kWorkingDays = 5;

// The day type whose list holds the period (the same object), or -1.
int32_t DayTypeHolding(const std::array<std::vector<PeriodRef>, cTimeSchedule::kDayTypes>& lists,
                       const PeriodRef& period) {
  if (period == nullptr) return -1;
  for (int32_t d = 0; d < cTimeSchedule::kDayTypes; ++d) {
    if (std::find(lists[d].begin(), lists[d].end(), period) != lists[d].end()) return d;
  }
  return -1;
}

void SetPointer(PaintSurface* surface, int16_t shape) {
  if (surface == nullptr) throw Error(kObjectRequired);
  surface->SetMousePointer(shape);
}

}  // namespace

int32_t cTimeSchedule::LocateTime(ScheduleHost& host, float x, float y, int32_t& row) {
  const AxisPoint point = LocatePoint(x, y, m_NumberOfAxisToPaint, m_ScaleFactor);
  if (point.minute < 0) return point.minute;
  host.Set_Text_Schedule_Time(TimeText(point.minute));
  row = point.row;
  return point.minute;
}

void cTimeSchedule::PickPeriod(ScheduleHost& host, PaintSurface* surface, int32_t previous_day_type,
                               int32_t day_type, int32_t minute) {
  m_SelectedStart = 0;
  m_SelectedStop = kMinutesPerDay;
  const int32_t previous_period_day_type = DayTypeHolding(m_Periods, m_SelectedPeriod);
  m_SelectedPeriod = nullptr;
  // Unhighlight the period selected before on the row it was painted on:
  // a right click since may have selected another day.
  if (previous_day_type >= 0) PaintAxis(host, surface, previous_day_type);
  if (previous_period_day_type >= 0 && previous_period_day_type != previous_day_type) {
    PaintAxis(host, surface, previous_period_day_type);
  }
  // Picked as drawn: by the minutes a period covers, so a period that
  // covers nothing is never picked.
  for (const PeriodRef& p : m_Periods[day_type]) {
    const std::optional<MinuteSpan> span = CoveredSpan(*p);
    if (span && span->start <= minute && minute <= span->stop) {
      m_SelectedPeriod = p;
      m_SelectedStart = p->m_StartMinute;
      m_SelectedStop = p->m_StopMinute;
      break;
    }
  }
}

void cTimeSchedule::ShowSelectedTimes(ScheduleHost& host) {
  if (m_SelectedPeriod == nullptr) {
    host.Set_Text_Schedule_Period_Start("");
    host.Set_Text_Schedule_Period_Stop("");
  } else {
    host.Set_Text_Schedule_Period_Start(TimeText(m_SelectedStart));
    host.Set_Text_Schedule_Period_Stop(TimeText(m_SelectedStop));
  }
}

void cTimeSchedule::MouseDown(ScheduleHost& host, PaintSurface* surface, int16_t button,
                              int16_t /*shift*/, float x, float y) {
  m_MouseButton = button;
  m_MouseX = x;
  m_MouseY = y;
  int32_t row = 0;
  const int32_t minute = LocateTime(host, x, y, row);
  if (minute < 0) return;
  const int32_t day_type = DayTypeAtRow(m_DayTypeActive, row);
  if (day_type < 0) return;
  const int32_t previous_day_type = m_SelectedDayType;
  m_SelectedDayType = day_type;
  const std::vector<PeriodRef>& list = m_Periods[day_type];

  if (button == kLeftButton) {
    PickPeriod(host, surface, previous_day_type, day_type, minute);
    // Grab an edge of what the period covers; a period covering nothing
    // shows no edge to grab.
    m_DragMinute = minute;
    PeriodRef grabbed;
    for (const PeriodRef& p : list) {
      const std::optional<MinuteSpan> span = CoveredSpan(*p);
      if (!span) continue;
      if (std::abs(span->start - minute) < kGrabMinutes) {
        m_DragMinute = span->start;
        m_DragMode = kDragStart;
      } else if (std::abs(span->stop - minute) < kGrabMinutes) {
        m_DragMinute = span->stop;
        m_DragMode = kDragStop;
      } else {
        continue;
      }
      grabbed = p;
      break;
    }
    if (grabbed == nullptr && m_DragMode == kDragNone) m_DragMode = kDragNew;
    if (grabbed != nullptr) {
      SetPointer(surface, kPointerSizeWestEast);
      m_DragPeriod = grabbed;
    }
    m_DragDayType = day_type;
    ShowSelectedTimes(host);
  } else if (button == kRightButton) {
    // The popup menu the host is about to show.
    bool mon_fri = true;
    for (int32_t g = 0; g < kDayTypes; ++g) {
      if (m_DayTypeGrouped[g] != (g < kWorkingDays ? -1 : 0)) mon_fri = false;
    }
    host.Set_Menu_TimeSchedulePopup_Grouped_MonFri_Checked(mon_fri ? -1 : 0);
    host.Set_Menu_TimeSchedulePopup_Grouped_Checked(m_DayTypeGrouped[day_type]);
    host.Set_Menu_TimeSchedulePopup_Paste_Enabled(m_CopiedDayType >= 0);
    host.Set_Menu_TimeSchedulePopup_Delete_Enabled(m_SelectedDayType >= 0);
  }
}

void cTimeSchedule::MouseMove(ScheduleHost& host, PaintSurface* surface, int16_t /*button*/,
                              int16_t /*shift*/, float x, float y) {
  int32_t row = 0;
  const int32_t minute = LocateTime(host, x, y, row);
  if (minute < 0) return;
  if (m_DragMode == kDragNew && m_DragPeriod == nullptr && std::abs(minute - m_DragMinute) >= kDrawMinutes) {
    SetPointer(surface, kPointerSizeWestEast);
    auto drawn = std::make_shared<cTimeSchedulePeriod>();
    m_DragPeriod = drawn;
    m_SelectedPeriod = drawn;
    Periods(static_cast<int16_t>(m_DragDayType)).push_back(std::move(drawn));
  }
  if (m_DragPeriod == nullptr) return;
  cTimeSchedulePeriod& dragged = *m_DragPeriod;
  const auto at = static_cast<int16_t>(minute);
  if (m_DragMode == kDragStart) dragged.m_StartMinute = at;
  if (m_DragMode == kDragStop) dragged.m_StopMinute = at;
  if (m_DragMode == kDragNew) {
    dragged.m_StartMinute = static_cast<int16_t>(m_DragMinute);
    dragged.m_StopMinute = at;
  }
  if (dragged.m_StopMinute < dragged.m_StartMinute) {
    // Dragged past the other edge: that edge is the one now held.
    std::swap(dragged.m_StartMinute, dragged.m_StopMinute);
    if (m_DragMode == kDragStart) {
      m_DragMode = kDragStop;
    } else if (m_DragMode == kDragStop) {
      m_DragMode = kDragStart;
    }
  }
  PaintAxis(host, surface, m_DragDayType);
  host.Set_Text_Schedule_Period_Start(TimeText(dragged.m_StartMinute));
  host.Set_Text_Schedule_Period_Stop(TimeText(dragged.m_StopMinute));
}

void cTimeSchedule::MouseUp(ScheduleHost& host, PaintSurface* surface, int16_t /*button*/,
                            int16_t /*shift*/, float /*x*/, float /*y*/) {
  if (m_DragMode == kDragNone) return;
  SetPointer(surface, kPointerDefault);
  m_DragMode = kDragNone;
  m_DragPeriod = nullptr;
  CopyToGroup(host, surface, m_SelectedDayType);
  MergePeriods(m_DragDayType);
  PaintAxis(host, surface, m_DragDayType);
}

}  // namespace quindo
