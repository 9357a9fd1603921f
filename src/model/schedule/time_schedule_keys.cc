// Keyboard editing on the week chart: the host keeps a cursor (a row and a
// minute) and asks for what a press there selects, or for a period between
// two minutes, without a mouse.
#include <algorithm>

#include "model/paint/paint_surface.h"
#include "model/schedule/schedule_geometry.h"
#include "model/schedule/schedule_host.h"
#include "model/schedule/time_schedule.h"
#include "model/schedule/time_text.h"

namespace quindo {
namespace {

int32_t WithinDay(int32_t minute) { return std::clamp<int32_t>(minute, 0, kMinutesPerDay); }

}  // namespace

bool cTimeSchedule::SelectAt(ScheduleHost& host, PaintSurface* surface, int32_t row, int32_t minute) {
  const int32_t day_type = DayTypeAtRow(m_DayTypeActive, row);
  if (day_type < 0) return false;
  minute = WithinDay(minute);
  host.Set_Text_Schedule_Time(TimeText(minute));
  const int32_t previous_day_type = m_SelectedDayType;
  m_SelectedDayType = day_type;
  PickPeriod(host, surface, previous_day_type, day_type, minute);
  PaintAxis(host, surface, day_type);
  ShowSelectedTimes(host);
  return true;
}

void cTimeSchedule::AddPeriodAt(ScheduleHost& host, PaintSurface* surface, int32_t row, int32_t from,
                                int32_t to) {
  const int32_t day_type = DayTypeAtRow(m_DayTypeActive, row);
  from = WithinDay(from);
  to = WithinDay(to);
  if (day_type < 0 || from == to) return;
  if (to < from) std::swap(from, to);
  // Unhighlight what was selected, as a press on the row does first.
  PickPeriod(host, surface, m_SelectedDayType, day_type, -1);
  m_SelectedDayType = day_type;
  auto added = std::make_shared<cTimeSchedulePeriod>();
  added->m_StartMinute = static_cast<int16_t>(from);
  added->m_StopMinute = static_cast<int16_t>(to);
  m_SelectedPeriod = added;
  m_Periods[day_type].push_back(std::move(added));
  // In the order a drawn period is released: the group, the merge, the row.
  CopyToGroup(host, surface, day_type);
  MergePeriods(day_type);
  PaintAxis(host, surface, day_type);
  // The merge may have joined it to a neighbour, which is selected instead.
  m_SelectedStart = m_SelectedPeriod->m_StartMinute;
  m_SelectedStop = m_SelectedPeriod->m_StopMinute;
  ShowSelectedTimes(host);
}

}  // namespace quindo
