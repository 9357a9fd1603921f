#pragma once
// The week chart of a schedule drawn onto an image by the same painting code
// as the view: the picture as RecalculateAndPrepareToPaint sizes it for a
// frame 340 units wide with a 20-unit scroll bar, i.e. 320 x (25 x rows + 4)
// pixels, one pixel per unit, white before painting, no antialiasing, with
// the day-type labels and images the view shows. For PNG output and
// benchmarks; needs a QGuiApplication (fonts).

#include <memory>

#include <QImage>

#include "model/schedule/schedule_host.h"
#include "common/export.h"

namespace quindo {

class cTimeSchedule;
class QPainterSurface;

class QUINDO_EXPORT ScheduleImageRenderer : private ScheduleHost {
 public:
  static constexpr int kFrameWidth = 340;
  static constexpr int kScrollBarWidth = 20;

  explicit ScheduleImageRenderer(bool view_day_types = false);
  ~ScheduleImageRenderer() override;

  // Sizes the picture for the schedule (rows, scale, row table) and paints.
  const QImage& Render(cTimeSchedule& schedule);
  // Clears the picture and paints again at its present size.
  const QImage& Repaint(cTimeSchedule& schedule);

 private:
  void Set_Text_Schedule_Period_Start(const std::string&) override {}
  void Set_Text_Schedule_Period_Stop(const std::string&) override {}
  std::string Get_Text_Schedule_Period_Start() override { return {}; }
  std::string Get_Text_Schedule_Period_Stop() override { return {}; }
  void Set_Text_Schedule_Time(const std::string&) override {}
  void Set_Menu_TimeSchedulePopup_Grouped_MonFri_Checked(int16_t) override {}
  bool Get_Menu_TimeSchedulePopup_Grouped_MonFri_Checked() override { return false; }
  void Set_Menu_TimeSchedulePopup_Grouped_Checked(int16_t) override {}
  void Set_Menu_TimeSchedulePopup_Paste_Enabled(bool) override {}
  void Set_Menu_TimeSchedulePopup_Delete_Enabled(bool) override {}
  bool Get_Check_TimeSchedule_ViewDayType() override { return view_day_types_; }
  double Get_ImageList_ImageWidth() override;
  double Get_ImageList_ImageHeight() override;
  void Draw_ImageList_ListImages(int32_t index, int32_t device_context, double x, int32_t y,
                                 std::optional<int16_t> style) override;
  double Get_Picture_TimeSchedule_Frame_ScaleWidth() override { return kFrameWidth; }
  double Get_Picture_TimeSchedule_Frame_ScaleHeight() override { return picture_height_; }
  double Get_VScroll_Schedule_Width() override { return kScrollBarWidth; }
  double Get_VScroll_Schedule_Left() override { return scroll_left_; }
  void Set_VScroll_Schedule_Left(double left) override { scroll_left_ = left; }
  void Set_VScroll_Schedule_Top(int16_t) override {}
  void Set_VScroll_Schedule_Height(double) override {}
  void Set_VScroll_Schedule_Max(int16_t) override {}
  void Set_Picture_TimeSchedule_Left(int16_t) override {}
  void Set_Picture_TimeSchedule_Top(int16_t) override {}
  void Set_Picture_TimeSchedule_Width(double width) override;
  void Set_Picture_TimeSchedule_Height(int32_t height) override;

  bool view_day_types_;
  double scroll_left_ = 0;
  int picture_width_ = 0;
  int picture_height_ = 0;
  QImage image_;
  std::unique_ptr<QPainterSurface> surface_;
};

}  // namespace quindo
