#pragma once
// The calendar host contract over a QObject that offers the contract's
// members as slots or Q_INVOKABLE methods of the same names, called by name,
// as ScheduleHostByName does for the week chart. A missing member raises 438
// to the calendar's caller when it is first called.

#include <QPointer>

#include "model/calendar/calendar_host.h"

class QObject;

namespace quindo {

class CalendarHostByName : public CalendarHost {
 public:
  explicit CalendarHostByName(QObject* host) : host_(host) {}

  // An invalid or null result is "nothing selected".
  std::optional<std::string> Get_Combo_Calendar_DayType_SelectedItem() override;
  double Get_Combo_Calendar_DayType_SelectedItem_Index() override;
  std::string Get_Combo_Calendar_DayType_ComboItems(int16_t index) override;
  void Set_Text_Calendar_Month(const std::string& text) override;
  // With a style, the host's five-argument member; without, the four-argument one.
  void Draw_ImageList_ListImages(int32_t index, int32_t device_context, double x, int32_t y,
                                 std::optional<int16_t> style) override;

 private:
  // A host that is gone counts as none: 424.
  QPointer<QObject> host_;
};

}  // namespace quindo
