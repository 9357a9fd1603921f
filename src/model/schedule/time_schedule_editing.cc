// The editing commands of the schedule view: typed times, delete, whole day,
// invert, grouping and paste. Each repaints the rows it changes.
#include <algorithm>

#include "common/error.h"
#include "model/schedule/period_list.h"
#include "model/schedule/schedule_host.h"
#include "model/schedule/time_schedule.h"
#include "model/schedule/time_text.h"

namespace quindo {
namespace {

constexpr int16_t kTrue = -1;
constexpr int16_t kFalse = 0;
constexpr int kLastWorkingDay = 4;  // Monday to Friday form the working week

}  // namespace

void cTimeSchedule::MergePeriods(int32_t day_type) {
  if (day_type == -1) return;
  CheckDayType(day_type);
  MergePeriodList(m_Periods[day_type], m_SelectedPeriod);
}

void cTimeSchedule::CopyToGroup(ScheduleHost& host, PaintSurface* surface, int32_t day_type) {
  CheckDayType(day_type);
  if (m_DayTypeGrouped[day_type] == 0) return;
  for (int32_t g = 0; g < kDayTypes; ++g) {
    if (g == day_type || m_DayTypeGrouped[g] == 0) continue;
    m_Periods[g] = CopyPeriodList(m_Periods[day_type]);
    MergePeriods(g);
    PaintAxis(host, surface, g);
  }
}

void cTimeSchedule::ExtractTimeFromTextboxes(ScheduleHost& host, PaintSurface* surface) {
  // Without a selected day there is no row to repaint or group to spread to:
  // the period stays as it is rather than change and then fail half-way.
  if (m_SelectedPeriod == nullptr || m_SelectedDayType < 0) return;
  CheckDayType(m_SelectedDayType);
  // Both texts are read before anything changes, so that a time too large to
  // count leaves the period as it was.
  int32_t start = ParseTimeText(host.Get_Text_Schedule_Period_Start());
  int32_t stop = ParseTimeText(host.Get_Text_Schedule_Period_Stop());
  if (start > stop) std::swap(start, stop);
  m_SelectedStart = start;
  m_SelectedStop = stop;
  m_SelectedPeriod->m_StartMinute = static_cast<int16_t>(start);
  m_SelectedPeriod->m_StopMinute = static_cast<int16_t>(stop);
  host.Set_Text_Schedule_Period_Start(TimeText(start));
  host.Set_Text_Schedule_Period_Stop(TimeText(stop));
  MergePeriods(m_SelectedDayType);
  PaintAxis(host, surface, m_SelectedDayType);
  CopyToGroup(host, surface, m_SelectedDayType);
}

void cTimeSchedule::Delete(ScheduleHost& host, PaintSurface* surface) {
  if (m_SelectedDayType < 0) return;
  CheckDayType(m_SelectedDayType);
  const int32_t day_type = m_SelectedDayType;
  std::vector<PeriodRef>& list = m_Periods[day_type];
  const auto selected = std::find(list.begin(), list.end(), m_SelectedPeriod);
  if (m_SelectedPeriod != nullptr && selected != list.end()) {
    m_SelectedPeriod = nullptr;
    host.Set_Text_Schedule_Period_Start("");
    host.Set_Text_Schedule_Period_Stop("");
    list.erase(selected);
  }
  // The day now differs from its group, so it leaves it.
  m_DayTypeGrouped[day_type] = kFalse;
  MergePeriods(day_type);
  PaintAxis(host, surface, day_type);
  m_SelectedDayType = -1;
}

void cTimeSchedule::SetTimeFrom00to24(ScheduleHost& host, PaintSurface* surface) {
  if (m_SelectedDayType < 0) return;
  CheckDayType(m_SelectedDayType);
  const int32_t day_type = m_SelectedDayType;
  m_Periods[day_type].clear();
  m_DayTypeGrouped[day_type] = kFalse;
  m_Periods[day_type].push_back(
      std::make_shared<cTimeSchedulePeriod>(cTimeSchedulePeriod{0, kMinutesPerDay}));
  PaintAxis(host, surface, day_type);
  m_SelectedDayType = -1;
}

void cTimeSchedule::InvertTimeSchedule(ScheduleHost& host, PaintSurface* surface) {
  if (m_SelectedDayType < 0) return;
  CheckDayType(m_SelectedDayType);
  const int32_t day_type = m_SelectedDayType;
  m_Periods[day_type] = InvertPeriodList(m_Periods[day_type]);
  MergePeriods(day_type);
  PaintAxis(host, surface, day_type);
  CopyToGroup(host, surface, day_type);
}

void cTimeSchedule::Group(ScheduleHost& host, PaintSurface* surface) {
  CheckDayType(m_SelectedDayType);
  const int32_t day_type = m_SelectedDayType;
  m_DayTypeGrouped[day_type] = static_cast<int16_t>(~m_DayTypeGrouped[day_type]);
  if (m_DayTypeGrouped[day_type] != 0) {
    // A day joining the group takes the group's periods.
    for (int32_t g = 0; g < kDayTypes; ++g) {
      if (g == day_type || m_DayTypeGrouped[g] == 0) continue;
      m_Periods[day_type] = CopyPeriodList(m_Periods[g]);
      MergePeriods(day_type);
      break;
    }
  }
  PaintAxis(host, surface, day_type);
}

void cTimeSchedule::GroupMonFri(ScheduleHost& host, PaintSurface* surface) {
  for (int32_t g = 0; g < kDayTypes; ++g) {
    // The menu item still shows the state before this command: unchecked
    // groups exactly Monday to Friday, checked ungroups every day type.
    const bool checked = host.Get_Menu_TimeSchedulePopup_Grouped_MonFri_Checked();
    m_DayTypeGrouped[g] = g <= kLastWorkingDay && !checked ? kTrue : kFalse;
    if (g <= kLastWorkingDay) PaintAxis(host, surface, g);
  }
  CopyToGroup(host, surface, 0);
  Paint(host, surface);
}

void cTimeSchedule::Paste(ScheduleHost& host, PaintSurface* surface) {
  if (m_SelectedDayType < 0 || m_CopiedDayType < 0 || m_SelectedDayType == m_CopiedDayType) return;
  CheckDayType(m_SelectedDayType);
  CheckDayType(m_CopiedDayType);
  const int32_t day_type = m_SelectedDayType;
  // The copied day's periods as they are now, not as they were at Copy.
  m_Periods[day_type] = CopyPeriodList(m_Periods[m_CopiedDayType]);
  m_DayTypeGrouped[day_type] = m_DayTypeGrouped[m_CopiedDayType];
  MergePeriods(day_type);
  PaintAxis(host, surface, day_type);
}

}  // namespace quindo
