#pragma once
// A schedule host for tests: answers the "Get_" members from fields a test
// sets and keeps what the "Set_" and "Draw_" members were given. The frame
// is 340 x 180 with a 20-unit scroll bar and 16 x 16 images, the sizes the Qt
// view and the PNG renderer use.

#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "model/schedule/schedule_host.h"

namespace quindo {

class ScheduleTestHost : public ScheduleHost {
 public:
  // The popup menu's states as last set; unset until the menu is prepared.
  struct Menu {
    std::optional<int16_t> grouped_mon_fri_checked;
    std::optional<int16_t> grouped_checked;
    std::optional<bool> paste_enabled;
    std::optional<bool> delete_enabled;
  };

  // Answers of the "Get_" members; the texts also keep what was set.
  std::string period_start_text;
  std::string period_stop_text;
  bool grouped_mon_fri_checked = false;
  bool view_day_type = false;
  double scroll_left = 320;  // follows Set_VScroll_Schedule_Left, as a host's scroll bar does

  // What was set or drawn: images as "index device_context x y [style]".
  std::string shown_time;
  Menu menu;
  std::vector<std::string> images;
  int16_t scroll_max = 0;
  int16_t picture_left = -1;
  int16_t picture_top = -1;
  int32_t picture_height = 0;
  double picture_width = 0;

  void Set_Text_Schedule_Period_Start(const std::string& text) override { period_start_text = text; }
  void Set_Text_Schedule_Period_Stop(const std::string& text) override { period_stop_text = text; }
  std::string Get_Text_Schedule_Period_Start() override { return period_start_text; }
  std::string Get_Text_Schedule_Period_Stop() override { return period_stop_text; }
  void Set_Text_Schedule_Time(const std::string& text) override { shown_time = text; }
  void Set_Menu_TimeSchedulePopup_Grouped_MonFri_Checked(int16_t checked) override {
    menu.grouped_mon_fri_checked = checked;
  }
  bool Get_Menu_TimeSchedulePopup_Grouped_MonFri_Checked() override { return grouped_mon_fri_checked; }
  void Set_Menu_TimeSchedulePopup_Grouped_Checked(int16_t checked) override { menu.grouped_checked = checked; }
  void Set_Menu_TimeSchedulePopup_Paste_Enabled(bool enabled) override { menu.paste_enabled = enabled; }
  void Set_Menu_TimeSchedulePopup_Delete_Enabled(bool enabled) override { menu.delete_enabled = enabled; }
  bool Get_Check_TimeSchedule_ViewDayType() override { return view_day_type; }
  double Get_ImageList_ImageWidth() override { return 16; }
  double Get_ImageList_ImageHeight() override { return 16; }
  void Draw_ImageList_ListImages(int32_t index, int32_t device_context, double x, int32_t y,
                                 std::optional<int16_t> style) override {
    std::ostringstream image;
    image << index << " " << device_context << " " << x << " " << y;
    if (style) image << " " << *style;
    images.push_back(image.str());
  }
  double Get_Picture_TimeSchedule_Frame_ScaleWidth() override { return 340; }
  double Get_Picture_TimeSchedule_Frame_ScaleHeight() override { return 180; }
  double Get_VScroll_Schedule_Width() override { return 20; }
  double Get_VScroll_Schedule_Left() override { return scroll_left; }
  void Set_VScroll_Schedule_Left(double left) override { scroll_left = left; }
  void Set_VScroll_Schedule_Top(int16_t) override {}
  void Set_VScroll_Schedule_Height(double) override {}
  void Set_VScroll_Schedule_Max(int16_t max) override { scroll_max = max; }
  void Set_Picture_TimeSchedule_Left(int16_t left) override { picture_left = left; }
  void Set_Picture_TimeSchedule_Top(int16_t top) override { picture_top = top; }
  void Set_Picture_TimeSchedule_Width(double width) override { picture_width = width; }
  void Set_Picture_TimeSchedule_Height(int32_t height) override { picture_height = height; }
};

}  // namespace quindo
