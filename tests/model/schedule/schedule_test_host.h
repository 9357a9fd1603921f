#pragma once
// A schedule host for tests: answers the "Get_" members from fields a test
// sets, and keeps every "Set_" and "Draw_" call in order as a readable line
// ("Set_Text_Schedule_Time 07:00", "Draw_ImageList_ListImages 3 4711 10 179").
// The frame defaults to a 340 x 180 frame with a 20-unit scroll bar, the
// size the Qt view and the PNG renderer use.

#include <string>
#include <vector>

#include "model/schedule/schedule_host.h"

namespace quindo {

class ScheduleTestHost : public ScheduleHost {
 public:
  // Answers of the "Get_" members.
  std::string period_start_text;
  std::string period_stop_text;
  bool grouped_mon_fri_checked = false;
  bool view_day_type = false;
  double image_width = 16;
  double image_height = 16;
  double frame_width = 340;
  double frame_height = 180;
  double scroll_width = 20;
  double scroll_left = 320;  // follows Set_VScroll_Schedule_Left, as a host's scroll bar does

  // Every "Set_" and "Draw_" call, in order.
  std::vector<std::string> calls;
  // The last values set, for convenience.
  std::string shown_time;
  int16_t scroll_max = 0;
  int32_t picture_height = 0;
  double picture_width = 0;

  // Calls whose text starts with the prefix.
  std::vector<std::string> CallsOf(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const std::string& call : calls) {
      if (call.rfind(prefix, 0) == 0) found.push_back(call);
    }
    return found;
  }

  void Set_Text_Schedule_Period_Start(const std::string& text) override {
    period_start_text = text;
    Record("Set_Text_Schedule_Period_Start", text);
  }
  void Set_Text_Schedule_Period_Stop(const std::string& text) override {
    period_stop_text = text;
    Record("Set_Text_Schedule_Period_Stop", text);
  }
  std::string Get_Text_Schedule_Period_Start() override { return period_start_text; }
  std::string Get_Text_Schedule_Period_Stop() override { return period_stop_text; }
  void Set_Text_Schedule_Time(const std::string& text) override {
    shown_time = text;
    Record("Set_Text_Schedule_Time", text);
  }
  void Set_Menu_TimeSchedulePopup_Grouped_MonFri_Checked(int16_t checked) override {
    Record("Set_Menu_TimeSchedulePopup_Grouped_MonFri_Checked", std::to_string(checked));
  }
  bool Get_Menu_TimeSchedulePopup_Grouped_MonFri_Checked() override { return grouped_mon_fri_checked; }
  void Set_Menu_TimeSchedulePopup_Grouped_Checked(int16_t checked) override {
    Record("Set_Menu_TimeSchedulePopup_Grouped_Checked", std::to_string(checked));
  }
  void Set_Menu_TimeSchedulePopup_Paste_Enabled(bool enabled) override {
    Record("Set_Menu_TimeSchedulePopup_Paste_Enabled", enabled ? "true" : "false");
  }
  void Set_Menu_TimeSchedulePopup_Delete_Enabled(bool enabled) override {
    Record("Set_Menu_TimeSchedulePopup_Delete_Enabled", enabled ? "true" : "false");
  }
  bool Get_Check_TimeSchedule_ViewDayType() override { return view_day_type; }
  double Get_ImageList_ImageWidth() override { return image_width; }
  double Get_ImageList_ImageHeight() override { return image_height; }
  void Draw_ImageList_ListImages(int32_t index, int32_t device_context, double x, int32_t y,
                                 std::optional<int16_t> style) override {
    std::string call = std::to_string(index) + " " + std::to_string(device_context) + " " + Number(x) + " " +
                       std::to_string(y);
    if (style) call += " " + std::to_string(*style);
    Record("Draw_ImageList_ListImages", call);
  }
  double Get_Picture_TimeSchedule_Frame_ScaleWidth() override { return frame_width; }
  double Get_Picture_TimeSchedule_Frame_ScaleHeight() override { return frame_height; }
  double Get_VScroll_Schedule_Width() override { return scroll_width; }
  double Get_VScroll_Schedule_Left() override { return scroll_left; }
  void Set_VScroll_Schedule_Left(double left) override {
    scroll_left = left;
    Record("Set_VScroll_Schedule_Left", Number(left));
  }
  void Set_VScroll_Schedule_Top(int16_t top) override {
    Record("Set_VScroll_Schedule_Top", std::to_string(top));
  }
  void Set_VScroll_Schedule_Height(double height) override {
    Record("Set_VScroll_Schedule_Height", Number(height));
  }
  void Set_VScroll_Schedule_Max(int16_t max) override {
    scroll_max = max;
    Record("Set_VScroll_Schedule_Max", std::to_string(max));
  }
  void Set_Picture_TimeSchedule_Left(int16_t left) override {
    Record("Set_Picture_TimeSchedule_Left", std::to_string(left));
  }
  void Set_Picture_TimeSchedule_Top(int16_t top) override {
    Record("Set_Picture_TimeSchedule_Top", std::to_string(top));
  }
  void Set_Picture_TimeSchedule_Width(double width) override {
    picture_width = width;
    Record("Set_Picture_TimeSchedule_Width", Number(width));
  }
  void Set_Picture_TimeSchedule_Height(int32_t height) override {
    picture_height = height;
    Record("Set_Picture_TimeSchedule_Height", std::to_string(height));
  }

 private:
  static std::string Number(double value) {
    std::string text = std::to_string(value);
    text.erase(text.find_last_not_of('0') + 1);
    if (!text.empty() && text.back() == '.') text.pop_back();
    return text;
  }
  void Record(const std::string& member, const std::string& value) { calls.push_back(member + " " + value); }
};

}  // namespace quindo
