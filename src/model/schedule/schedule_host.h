#pragma once
// What a host view offers to a time schedule it shows: its period and time
// text fields, the state of its popup menu, its day-type option and image
// list, and the frame, picture and scroll bar the schedule sizes. The member
// names are those the schedule has always called on its host's form, so a
// host implements this interface directly; hosts that prefer late binding
// use the Qt adapter that calls members of these names by name.
//
// "Set_" members take one value, "Get_" members return one. A member that
// fails raises; the error goes to the caller of the schedule's operation.

#include <cstdint>
#include <optional>
#include <string>
#include "common/export.h"

namespace quindo {

class QUINDO_EXPORT ScheduleHost {
 public:
  virtual ~ScheduleHost() = default;

  // The selected period's times as "hh:mm"; an empty text clears the field.
  virtual void Set_Text_Schedule_Period_Start(const std::string& text) = 0;
  virtual void Set_Text_Schedule_Period_Stop(const std::string& text) = 0;
  // The times as the user typed them.
  virtual std::string Get_Text_Schedule_Period_Start() = 0;
  virtual std::string Get_Text_Schedule_Period_Stop() = 0;
  // The time under the pointer.
  virtual void Set_Text_Schedule_Time(const std::string& text) = 0;

  // Popup menu items. Flags are -1 (true) or 0.
  virtual void Set_Menu_TimeSchedulePopup_Grouped_MonFri_Checked(int16_t checked) = 0;
  virtual bool Get_Menu_TimeSchedulePopup_Grouped_MonFri_Checked() = 0;
  // Checked when nonzero.
  virtual void Set_Menu_TimeSchedulePopup_Grouped_Checked(int16_t checked) = 0;
  virtual void Set_Menu_TimeSchedulePopup_Paste_Enabled(bool enabled) = 0;
  virtual void Set_Menu_TimeSchedulePopup_Delete_Enabled(bool enabled) = 0;

  // The view option that prints the day-type names over the rows.
  virtual bool Get_Check_TimeSchedule_ViewDayType() = 0;

  // The image list of the special day types (images 1 to 16).
  virtual double Get_ImageList_ImageWidth() = 0;
  virtual double Get_ImageList_ImageHeight() = 0;
  // Draws image `index` with its top left at (x, y) onto the paint surface
  // whose hDC is `device_context`. The calendar passes a style (1 =
  // transparent); the schedule passes none.
  virtual void Draw_ImageList_ListImages(int32_t index, int32_t device_context, double x, int32_t y,
                                         std::optional<int16_t> style) = 0;

  // The frame that holds the picture and the vertical scroll bar.
  virtual double Get_Picture_TimeSchedule_Frame_ScaleWidth() = 0;
  virtual double Get_Picture_TimeSchedule_Frame_ScaleHeight() = 0;
  virtual double Get_VScroll_Schedule_Width() = 0;
  virtual double Get_VScroll_Schedule_Left() = 0;
  virtual void Set_VScroll_Schedule_Left(double left) = 0;
  virtual void Set_VScroll_Schedule_Top(int16_t top) = 0;
  virtual void Set_VScroll_Schedule_Height(double height) = 0;
  // Scroll range maximum, negative when fewer than seven rows are shown.
  virtual void Set_VScroll_Schedule_Max(int16_t max) = 0;
  // The picture (the paint surface) inside the frame.
  virtual void Set_Picture_TimeSchedule_Left(int16_t left) = 0;
  virtual void Set_Picture_TimeSchedule_Top(int16_t top) = 0;
  virtual void Set_Picture_TimeSchedule_Width(double width) = 0;
  virtual void Set_Picture_TimeSchedule_Height(int32_t height) = 0;
};

}  // namespace quindo
