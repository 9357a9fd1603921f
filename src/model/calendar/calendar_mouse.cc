// Painting day types with the mouse on the month view, and the tooltip that
// names the day type and holiday under the pointer.
#include "common/numbers.h"
#include "common/settings.h"
#include "common/step_recorder.h"
#include "model/calendar/calendar.h"
#include "model/calendar/calendar_geometry.h"
#include "model/calendar/calendar_host.h"
#include "model/calendar/holiday_label.h"
#include "model/paint/paint_surface.h"

namespace quindo {

int16_t cCalendar::GetDayIndexAt(float x, float y) const {
  return DayIndexAt(x, y, m_FirstWeekDayInActualMonth, m_DaysInActualMonth);
}

bool cCalendar::MouseDown(CalendarHost& parent_container, PaintSurface* paint_object, int16_t button,
                          int16_t /*shift*/, float x, float y) {
  m_MouseButton = button;
  if (!parent_container.Get_Combo_Calendar_DayType_SelectedItem()) {
    m_PaintDayType = -1;
    return false;
  }
  const auto index =
      RoundToInteger<int16_t>(parent_container.Get_Combo_Calendar_DayType_SelectedItem_Index());
  m_PaintDayType = index > 0 ? static_cast<int16_t>(index - 1) : index;

  const int16_t i = GetDayIndexAt(x, y);
  if (i < 0 || GetDayType(m_ActualMonthOffset + i) == m_PaintDayType) return false;
  SetDayType(m_ActualMonthOffset + i, m_PaintDayType);
  PaintDateBox(parent_container, paint_object, i);
  return true;
}

bool cCalendar::MouseMove(CalendarHost& parent_container, PaintSurface* paint_object,
                          int16_t /*button*/, int16_t /*shift*/, float x, float y) {
  // Every step is tried and a failing one skipped: a pointer moving over the
  // view must never raise to the host.
  StepRecorder steps;
  const auto set_tool_tip = [&](const std::string& text) {
    steps.Try([&] {
      if (paint_object == nullptr) throw Error(kObjectRequired);
      paint_object->SetToolTipText(text);
    });
  };

  int16_t i = -1;
  steps.Try([&] { i = GetDayIndexAt(x, y); });
  const int32_t day = m_ActualMonthOffset + i;
  if (i < 0) {
    set_tool_tip("");
    m_LastDayIndex = i;
    return false;
  }
  if (i == m_LastDayIndex) return false;

  bool changed = false;
  steps.Try([&] {
    if (m_MouseButton != 0 && m_PaintDayType != -1 && GetDayType(day) != m_PaintDayType) {
      SetDayType(day, m_PaintDayType);
      changed = true;
      PaintDateBox(parent_container, paint_object, i);
    }
  });

  std::string tip;
  steps.Try([&] {
    const int16_t day_type = GetDayType(day);
    if (day_type != 0) {
      tip = parent_container.Get_Combo_Calendar_DayType_ComboItems(CheckedNarrow<int16_t>(day_type + 1));
    }
  });
  steps.Try([&] {
    if (HolidayDays().at(day) == 0) return;
    for (const auto& [key, label] : HolidayLabels()) {
      if (label && label->m_Day == day) {
        tip += " (" + label->m_Label + ")";
        break;
      }
    }
  });
  set_tool_tip(tip);
  m_LastDayIndex = i;
  return changed;
}

void cCalendar::MouseUp(int16_t /*button*/, int16_t /*shift*/, float /*x*/, float /*y*/) {
  m_MouseButton = 0;
  m_PaintDayType = -1;
}

}  // namespace quindo
