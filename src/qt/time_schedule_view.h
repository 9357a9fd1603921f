#pragma once
// TimeScheduleView: the week chart of a time schedule as a Qt widget that is
// a complete host of the schedule: a frame holding the picture the chart is
// painted on and a vertical scroll bar, start, stop and pointer-time fields,
// a "day types" option, the image list of the special day types, and the
// popup menu of the right button (Delete, Copy, Paste, Grouped, Grouped
// Monday-Friday, Invert, 00-24), wired to the schedule's editing operations.
//
// The chart is painted into an image that the picture shows, so a single
// row can be repainted as the schedule's operations do; the image has the
// screen's pixel ratio, so the chart is as sharp as the widgets around it,
// while its coordinates stay units. The view grows in width and stretches
// the time axis to fill it, with hour labels above; the schedule still sees
// a picture of 320 units (what its host members report is converted), and
// presses are mapped back through the same geometry. Every operation runs
// guarded: an error it raises is shown in the status line and passed to
// ReportError, and never reaches Qt's event loop.
//
// The keyboard works the chart at a cursor (a row and a minute) shown while
// the picture has the focus: arrows move it by five minutes, an hour with
// Shift, or a row; Home and End go to 00:00 and 24:00; Enter or Space
// starts a period and ends it at the cursor; Escape drops a started one;
// Delete, Copy, Paste and Invert (Ctrl+I) act on the cursor's day and
// period; the menu key opens the popup menu there. Grouped rows carry a mark
// at their top right that is easy to see at any width.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <QImage>
#include <QWidget>

#include "model/schedule/schedule_host.h"
#include "common/export.h"

class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QKeyEvent;
class QMouseEvent;
class QPainter;
class QScrollBar;

namespace quindo {

class cTimeSchedule;
class HourRuler;
class PaintSurface;
class QPainterSurface;
class SchedulePicture;

class QUINDO_EXPORT TimeScheduleView : public QWidget, public ScheduleHost {
  Q_OBJECT

 public:
  // The frame at the view's least width: the picture one pixel per unit.
  static constexpr int kFrameWidth = 340;
  static constexpr int kFrameHeight = 180;
  static constexpr int kScrollBarWidth = 20;
  static constexpr int kRulerHeight = 14;
  // One step of the scroll bar moves the picture a quarter of a row.
  static constexpr double kUnitsPerScrollStep = 25.0 / 4;

  explicit TimeScheduleView(QWidget* parent = nullptr);
  ~TimeScheduleView() override;

  // Shows the schedule (shared with its owner, which sees every edit). Also
  // call after changing its active day types or m_UseCalendar from outside.
  void SetSchedule(std::shared_ptr<cTimeSchedule> schedule);
  const std::shared_ptr<cTimeSchedule>& Schedule() const { return schedule_; }
  // Recomputes the rows and repaints everything.
  void Refresh();

  // The hour labels, the frame, and the fields and status line below it at
  // the least width; the view takes any greater width its layout gives it.
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

  // How much wider than its units the time axis is drawn (1 at the least
  // width), and a point of the chart's units on the picture and back.
  double AxisStretch() const { return stretch_; }
  QPointF PicturePoint(const QPointF& units) const;
  QPointF ChartPoint(const QPointF& picture) const;

  // The keyboard cursor: the row and the minute it is on.
  int CursorRow() const { return cursor_row_; }
  int CursorMinute() const { return cursor_minute_; }
  // The view's name, the day and time under the cursor and that day's
  // periods: what accessibility tools read for the chart.
  QString CursorText() const;

  // The pieces, for hosts and tests.
  QWidget* Picture() const;
  const QImage& PictureImage() const { return image_; }
  HourRuler* Ruler() const { return ruler_; }
  QLineEdit* StartField() const { return start_; }
  QLineEdit* StopField() const { return stop_; }
  QLabel* TimeLabel() const { return time_; }
  QLabel* StatusLabel() const { return status_; }
  QCheckBox* ViewDayTypesOption() const { return view_day_types_; }
  QScrollBar* ScrollBar() const { return scroll_; }
  QMenu* PopupMenu() const { return menu_; }
  QAction* DeleteAction() const { return delete_; }
  QAction* CopyAction() const { return copy_; }
  QAction* PasteAction() const { return paste_; }
  QAction* GroupedAction() const { return grouped_; }
  QAction* GroupedMonFriAction() const { return grouped_mon_fri_; }
  QAction* InvertAction() const { return invert_; }
  QAction* WholeDayAction() const { return whole_day_; }

  // The schedule host contract.
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

 signals:
  // The schedule's periods or flags changed through the view.
  void scheduleChanged();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  friend class SchedulePicture;
  void PictureMouse(QMouseEvent* event);
  void BuildMenu();
  // Places the ruler, frame and status line for the view's width and
  // stretches the axis to it.
  void LayOut();
  void ResizeImage();
  void Repaint();
  // The keyboard (time_schedule_view_keys.cc). PictureKey is false for a
  // key it leaves to others.
  bool PictureKey(QKeyEvent* event);
  int RowsWithDayTypes() const;
  void MoveCursor(int row, int minute);
  void SelectAtCursor();
  void StartOrEndPeriod();
  void OpenMenuAtCursor();
  void ScrollToCursor();
  void CursorChanged();
  // The picture took the focus (by a key: its rows scroll to the cursor),
  // or lost it.
  void CursorShown(bool by_key);
  void CursorHidden();
  // Drawn over the chart: the marks of grouped rows, and the cursor and a
  // started period while the picture has the focus.
  void PaintMarks(QPainter& painter, bool focused) const;
  double PixelX(double unit) const;
  double UnitX(double pixel) const;
  // Runs one operation of the schedule guarded, shows what it drew and
  // signals a change of the schedule's periods or flags. The status line
  // shows the last error until a user's operation other than a hover runs
  // (hovers and repaints keep it).
  void Run(const char* operation, const std::function<void()>& action, bool keep_status = false);
  void Report(const char* operation, const std::string& what);

  std::shared_ptr<cTimeSchedule> schedule_;
  QImage image_;
  std::unique_ptr<QPainterSurface> surface_;
  PaintSurface* paint_object_ = nullptr;  // m_SchedulePaintObject
  int picture_width_ = 0;  // pixels
  int picture_height_ = 0;
  bool menu_prepared_ = false;  // the last press set the menu's state
  double stretch_ = 1;
  int cursor_row_ = 0;
  int cursor_minute_ = 0;
  std::optional<int> period_start_;  // where Enter started a period on the cursor's row

  HourRuler* ruler_;
  QFrame* frame_;
  SchedulePicture* picture_;
  QScrollBar* scroll_;
  QLineEdit* start_;
  QLineEdit* stop_;
  QLabel* time_;
  QCheckBox* view_day_types_;
  QLabel* status_;
  QMenu* menu_;
  QAction* delete_;
  QAction* copy_;
  QAction* paste_;
  QAction* grouped_;
  QAction* grouped_mon_fri_;
  QAction* invert_;
  QAction* whole_day_;
};

}  // namespace quindo
