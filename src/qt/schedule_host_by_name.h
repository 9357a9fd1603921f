#pragma once
// The schedule host contract over a QObject that offers the contract's
// members as slots or Q_INVOKABLE methods of the same names, called by name:
// for hosts that prefer late binding to implementing ScheduleHost. A missing
// member raises 438 to the schedule's caller when it is first called.
// Results are read with their Qt conversions (a text "1" is the number 1).

#include <QPointer>

#include "model/schedule/schedule_host.h"
#include "common/export.h"

class QObject;

namespace quindo {

class QUINDO_EXPORT ScheduleHostByName : public ScheduleHost {
 public:
  explicit ScheduleHostByName(QObject* host) : host_(host) {}

  void Set_Text_Schedule_Period_Start(const std::string& text) override;
  void Set_Text_Schedule_Period_Stop(const std::string& text) override;
  std::string Get_Text_Schedule_Period_Start() override;
  std::string Get_Text_Schedule_Period_Stop() override;
  void Set_Text_Schedule_Time(const std::string& text) override;
  void Set_Menu_TimeSchedulePopup_Grouped_MonFri_Checked(int16_t checked) override;
  bool Get_Menu_TimeSchedulePopup_Grouped_MonFri_Checked() override;
  void Set_Menu_TimeSchedulePopup_Grouped_Checked(int16_t checked) override;
  void Set_Menu_TimeSchedulePopup_Paste_Enabled(bool enabled) override;
  void Set_Menu_TimeSchedulePopup_Delete_Enabled(bool enabled) override;
  bool Get_Check_TimeSchedule_ViewDayType() override;
  double Get_ImageList_ImageWidth() override;
  double Get_ImageList_ImageHeight() override;
  void Draw_ImageList_ListImages(int32_t index, int32_t device_context, double x, int32_t y,
                                 std::optional<int16_t> style) override;
  double Get_Picture_TimeSchedule_Frame_ScaleWidth() override;
  double Get_Picture_TimeSchedule_Frame_ScaleHeight() override;
  double Get_VScroll_Schedule_Width() override;
  double Get_VScroll_Schedule_Left() override;
  void Set_VScroll_Schedule_Left(double left) override;
  void Set_VScroll_Schedule_Top(int16_t top) override;
  void Set_VScroll_Schedule_Height(double height) override;
  void Set_VScroll_Schedule_Max(int16_t max) override;
  void Set_Picture_TimeSchedule_Left(int16_t left) override;
  void Set_Picture_TimeSchedule_Top(int16_t top) override;
  void Set_Picture_TimeSchedule_Width(double width) override;
  void Set_Picture_TimeSchedule_Height(int32_t height) override;

 private:
  // A host that is gone counts as none: 424.
  QPointer<QObject> host_;
};

}  // namespace quindo
