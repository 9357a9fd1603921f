// TimeScheduleView as the schedule's host: its fields, menu items, image
// list, frame, scroll bar and picture, as the schedule's operations call
// them. The frame's x values are the chart's units, stretched onto the
// frame's pixels right of the labels (see StretchedX).

#include <algorithm>
#include <cmath>

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

#include "qt/day_type_images.h"
#include "qt/schedule_picture.h"
#include "qt/time_schedule_view.h"

namespace quindo {

void TimeScheduleView::Set_Text_Schedule_Period_Start(const std::string& text) {
  start_->setText(QString::fromStdString(text));
}
void TimeScheduleView::Set_Text_Schedule_Period_Stop(const std::string& text) {
  stop_->setText(QString::fromStdString(text));
}
std::string TimeScheduleView::Get_Text_Schedule_Period_Start() { return start_->text().toStdString(); }
std::string TimeScheduleView::Get_Text_Schedule_Period_Stop() { return stop_->text().toStdString(); }
void TimeScheduleView::Set_Text_Schedule_Time(const std::string& text) {
  time_->setText(QString::fromStdString(text));
}

// MouseDown sets all four menu states when a right press selected a row.
void TimeScheduleView::Set_Menu_TimeSchedulePopup_Grouped_MonFri_Checked(int16_t checked) {
  menu_prepared_ = true;
  const QSignalBlocker block(grouped_mon_fri_);
  grouped_mon_fri_->setChecked(checked != 0);
}
bool TimeScheduleView::Get_Menu_TimeSchedulePopup_Grouped_MonFri_Checked() {
  return grouped_mon_fri_->isChecked();
}
void TimeScheduleView::Set_Menu_TimeSchedulePopup_Grouped_Checked(int16_t checked) {
  const QSignalBlocker block(grouped_);
  grouped_->setChecked(checked != 0);
}
void TimeScheduleView::Set_Menu_TimeSchedulePopup_Paste_Enabled(bool enabled) { paste_->setEnabled(enabled); }
void TimeScheduleView::Set_Menu_TimeSchedulePopup_Delete_Enabled(bool enabled) {
  delete_->setEnabled(enabled);
}
bool TimeScheduleView::Get_Check_TimeSchedule_ViewDayType() { return view_day_types_->isChecked(); }

double TimeScheduleView::Get_ImageList_ImageWidth() { return kDayTypeImageSize; }
double TimeScheduleView::Get_ImageList_ImageHeight() { return kDayTypeImageSize; }
void TimeScheduleView::Draw_ImageList_ListImages(int32_t index, int32_t device_context, double x, int32_t y,
                                                 std::optional<int16_t>) {
  DrawDayTypeImage(index, device_context, x, y);
}

double TimeScheduleView::Get_Picture_TimeSchedule_Frame_ScaleWidth() {
  return UnitX(frame_->contentsRect().width());
}
double TimeScheduleView::Get_Picture_TimeSchedule_Frame_ScaleHeight() {
  return frame_->contentsRect().height();
}
double TimeScheduleView::Get_VScroll_Schedule_Width() { return scroll_->width() / stretch_; }
double TimeScheduleView::Get_VScroll_Schedule_Left() { return UnitX(scroll_->x()); }
void TimeScheduleView::Set_VScroll_Schedule_Left(double left) {
  scroll_->move(static_cast<int>(std::lround(PixelX(left))), scroll_->y());
}
void TimeScheduleView::Set_VScroll_Schedule_Top(int16_t top) { scroll_->move(scroll_->x(), top); }
void TimeScheduleView::Set_VScroll_Schedule_Height(double height) {
  scroll_->resize(scroll_->width(), std::max(0, static_cast<int>(std::lround(height))));
}
// Fewer than seven rows give a negative maximum: nothing to scroll.
void TimeScheduleView::Set_VScroll_Schedule_Max(int16_t max) { scroll_->setRange(0, std::max<int>(0, max)); }
void TimeScheduleView::Set_Picture_TimeSchedule_Left(int16_t left) {
  picture_->move(static_cast<int>(std::lround(PixelX(left))), picture_->y());
}
void TimeScheduleView::Set_Picture_TimeSchedule_Top(int16_t top) {
  picture_->move(picture_->x(), top);
  // The scroll bar shows where the picture now stands.
  const QSignalBlocker quiet(scroll_);
  scroll_->setValue(static_cast<int>(std::lround(-top / kUnitsPerScrollStep)));
}
void TimeScheduleView::Set_Picture_TimeSchedule_Width(double width) {
  picture_width_ = static_cast<int>(std::lround(PixelX(width)));
  ResizeImage();
}
void TimeScheduleView::Set_Picture_TimeSchedule_Height(int32_t height) {
  picture_height_ = height;
  ResizeImage();
}

}  // namespace quindo
