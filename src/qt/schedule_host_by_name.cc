#include "qt/schedule_host_by_name.h"

#include "qt/call_by_name.h"

namespace quindo {
namespace {

QVariant Text(const std::string& text) { return QString::fromStdString(text); }
std::string TextOf(const QVariant& value) { return value.toString().toStdString(); }
// "Compared with false": any value that does not read as false is true.
bool FlagOf(const QVariant& value) { return value.toBool(); }

}  // namespace

void ScheduleHostByName::Set_Text_Schedule_Period_Start(const std::string& text) {
  CallByName(host_, "Set_Text_Schedule_Period_Start", {Text(text)});
}
void ScheduleHostByName::Set_Text_Schedule_Period_Stop(const std::string& text) {
  CallByName(host_, "Set_Text_Schedule_Period_Stop", {Text(text)});
}
std::string ScheduleHostByName::Get_Text_Schedule_Period_Start() {
  return TextOf(CallByName(host_, "Get_Text_Schedule_Period_Start"));
}
std::string ScheduleHostByName::Get_Text_Schedule_Period_Stop() {
  return TextOf(CallByName(host_, "Get_Text_Schedule_Period_Stop"));
}
void ScheduleHostByName::Set_Text_Schedule_Time(const std::string& text) {
  CallByName(host_, "Set_Text_Schedule_Time", {Text(text)});
}
void ScheduleHostByName::Set_Menu_TimeSchedulePopup_Grouped_MonFri_Checked(int16_t checked) {
  CallByName(host_, "Set_Menu_TimeSchedulePopup_Grouped_MonFri_Checked", {checked});
}
bool ScheduleHostByName::Get_Menu_TimeSchedulePopup_Grouped_MonFri_Checked() {
  return FlagOf(CallByName(host_, "Get_Menu_TimeSchedulePopup_Grouped_MonFri_Checked"));
}
void ScheduleHostByName::Set_Menu_TimeSchedulePopup_Grouped_Checked(int16_t checked) {
  CallByName(host_, "Set_Menu_TimeSchedulePopup_Grouped_Checked", {checked});
}
void ScheduleHostByName::Set_Menu_TimeSchedulePopup_Paste_Enabled(bool enabled) {
  CallByName(host_, "Set_Menu_TimeSchedulePopup_Paste_Enabled", {enabled});
}
void ScheduleHostByName::Set_Menu_TimeSchedulePopup_Delete_Enabled(bool enabled) {
  CallByName(host_, "Set_Menu_TimeSchedulePopup_Delete_Enabled", {enabled});
}
bool ScheduleHostByName::Get_Check_TimeSchedule_ViewDayType() {
  return FlagOf(CallByName(host_, "Get_Check_TimeSchedule_ViewDayType"));
}
double ScheduleHostByName::Get_ImageList_ImageWidth() {
  return CallByName(host_, "Get_ImageList_ImageWidth").toDouble();
}
double ScheduleHostByName::Get_ImageList_ImageHeight() {
  return CallByName(host_, "Get_ImageList_ImageHeight").toDouble();
}
double ScheduleHostByName::Get_Picture_TimeSchedule_Frame_ScaleWidth() {
  return CallByName(host_, "Get_Picture_TimeSchedule_Frame_ScaleWidth").toDouble();
}
double ScheduleHostByName::Get_Picture_TimeSchedule_Frame_ScaleHeight() {
  return CallByName(host_, "Get_Picture_TimeSchedule_Frame_ScaleHeight").toDouble();
}
double ScheduleHostByName::Get_VScroll_Schedule_Width() {
  return CallByName(host_, "Get_VScroll_Schedule_Width").toDouble();
}
double ScheduleHostByName::Get_VScroll_Schedule_Left() {
  return CallByName(host_, "Get_VScroll_Schedule_Left").toDouble();
}
void ScheduleHostByName::Set_VScroll_Schedule_Left(double left) {
  CallByName(host_, "Set_VScroll_Schedule_Left", {left});
}
void ScheduleHostByName::Set_VScroll_Schedule_Top(int16_t top) {
  CallByName(host_, "Set_VScroll_Schedule_Top", {top});
}
void ScheduleHostByName::Set_VScroll_Schedule_Height(double height) {
  CallByName(host_, "Set_VScroll_Schedule_Height", {height});
}
void ScheduleHostByName::Set_VScroll_Schedule_Max(int16_t max) {
  CallByName(host_, "Set_VScroll_Schedule_Max", {max});
}
void ScheduleHostByName::Set_Picture_TimeSchedule_Left(int16_t left) {
  CallByName(host_, "Set_Picture_TimeSchedule_Left", {left});
}
void ScheduleHostByName::Set_Picture_TimeSchedule_Top(int16_t top) {
  CallByName(host_, "Set_Picture_TimeSchedule_Top", {top});
}
void ScheduleHostByName::Set_Picture_TimeSchedule_Width(double width) {
  CallByName(host_, "Set_Picture_TimeSchedule_Width", {width});
}
void ScheduleHostByName::Set_Picture_TimeSchedule_Height(int32_t height) {
  CallByName(host_, "Set_Picture_TimeSchedule_Height", {height});
}

void ScheduleHostByName::Draw_ImageList_ListImages(int32_t index, int32_t device_context, double x, int32_t y,
                                                   std::optional<int16_t> style) {
  QVariantList arguments{index, device_context, x, y};
  if (style) arguments.append(*style);
  CallByName(host_, "Draw_ImageList_ListImages", arguments);
}

}  // namespace quindo
