#pragma once
// CalendarView: a month of a cCalendar as a Qt widget that is a complete
// host of the month view. It holds the day-type list (item k stands for
// calendar day type k - 1, names from the language texts), previous and next
// month buttons with a year field, the month's caption, and the paint area
// where the user paints the selected day type across dates with any mouse
// button. Special day types show the image list shared with the week chart;
// resting on a date shows its day type and holiday as the tooltip.
//
// The keyboard works the month at a cursor on a date, shown while the paint
// area has the focus: arrows move it by a day or a week, Home and End to the
// month's first and last day, Page Up and Page Down by a month (crossing
// the month's edge shows the next one); Enter or Space paints the date with
// the selected day type and Delete gives it back its own weekday. The paint
// area shows only the grid's rows that the month fills.
//
// The calendar calls its host members on the view by name, as it has always
// called its host's form. Every operation runs guarded: an error is shown in
// the status line and passed to ReportError, and never reaches Qt's event
// loop. Only months of 2000..2039, the months the calendar holds, are shown:
// the buttons and the year field stop at January 2000 and December 2039.

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <QDate>
#include <QEvent>
#include <QImage>
#include <QString>
#include <QVariant>
#include <QWidget>

#include "model/calendar/calendar_geometry.h"
#include "model/calendar/calendar_locale.h"
#include "common/export.h"
#include "model/calendar/holiday_rules.h"

class QComboBox;
class QKeyEvent;
class QLabel;
class QPainter;
class QPushButton;
class QSpinBox;

namespace quindo {

class cCalendar;
class cTimeSchedule;
class CalendarHostByName;
class CalendarPaintArea;
class QPainterSurface;

class QUINDO_EXPORT CalendarView : public QWidget {
  Q_OBJECT

 public:
  // Shows the current month of a new, empty calendar.
  explicit CalendarView(QWidget* parent = nullptr);
  ~CalendarView() override;

  // The calendar shown and edited, shared with its holder; the view keeps
  // its schedule and shown month.
  void SetCalendar(std::shared_ptr<cCalendar> calendar);
  const std::shared_ptr<cCalendar>& Calendar() const { return calendar_; }
  // The schedule whose periods each date box shows; none hides the bars.
  void SetSchedule(std::shared_ptr<cTimeSchedule> schedule);
  // Pins today (tests, screenshots) and puts the cursor there; an invalid
  // date follows the clock.
  void SetToday(const QDate& today);
  // Week numbers and month names; the process's LC_TIME by default.
  void SetCalendarLocale(const CalendarLocale& locale);

  // Shows a month of 2000..2039 and returns true; refuses any other.
  bool ShowMonth(int year, int month);
  int ShownYear() const;
  int ShownMonth() const;
  // Paints the shown month again (after the calendar changed outside).
  void Refresh();

  // The keyboard cursor: the day number of its date, always in the shown
  // month.
  int32_t CursorDay() const { return cursor_day_; }
  // The view's name, the date under the cursor, its day type and holiday:
  // what accessibility tools read for the month.
  QString CursorText() const;
  // The grid's rows that the shown month fills (4 to 6).
  int ShownRows() const;

  // Holiday rules (read with the holiday rules reader). Their labels fill
  // the process-wide HolidayDays and HolidayLabels, which every month view
  // of this thread reads: shown holidays get the holiday strip and the
  // tooltip names them. LoadHolidayRules leaves the calendar's day types as
  // they are (a calendar file the rules were applied to keeps its day types
  // but not the labels); ApplyHolidayRules also gives each holiday its
  // rule's day type and emits calendarChanged. Bad rules change nothing,
  // are shown in the status line and return false.
  bool LoadHolidayRules(const std::vector<HolidayRule>& rules);
  bool ApplyHolidayRules(const std::vector<HolidayRule>& rules);

  // The pieces, for hosts and tests. The paint area's coordinates are the
  // month view's units.
  QComboBox* DayTypeList() const { return day_types_; }
  QWidget* PaintArea() const;
  const QImage& PaintAreaImage() const { return image_; }
  QLabel* CaptionLabel() const { return caption_; }
  QLabel* StatusLabel() const { return status_; }
  QPushButton* PreviousButton() const { return previous_; }
  QPushButton* NextButton() const { return next_; }
  QSpinBox* YearField() const { return year_; }

 signals:
  // A day's type was changed by mouse.
  void calendarChanged();

 public slots:
  // The calendar host contract, called by name by the month view.
  QVariant Get_Combo_Calendar_DayType_SelectedItem();
  int Get_Combo_Calendar_DayType_SelectedItem_Index();
  QString Get_Combo_Calendar_DayType_ComboItems(int index);
  void Set_Text_Calendar_Month(const QString& text);
  void Draw_ImageList_ListImages(int index, int device_context, double x, int y);
  void Draw_ImageList_ListImages(int index, int device_context, double x, int y, int style);

 private:
  friend class CalendarPaintArea;
  // The keyboard (calendar_view_keys.cc). AreaKey is false for a key it
  // leaves to others.
  bool AreaKey(QKeyEvent* event);
  void MoveCursorTo(int32_t day);
  void PaintAtCursor();
  void ClearAtCursor();
  void CursorChanged();
  // Keeps the cursor's day of the month when another month is shown.
  void KeepCursorIn(const quindo::ShownMonth& month);
  void PaintCursor(QPainter& painter) const;
  void FillDayTypeList();
  void UpdateNavigation();
  void PaintAreaMouse(QEvent::Type type, int16_t button, float x, float y);
  // Runs one operation of the calendar guarded and shows what it drew.
  void Run(const char* operation, const std::function<void()>& action);
  void Report(const char* operation, const std::string& what);

  std::shared_ptr<cCalendar> calendar_;
  std::optional<QDate> today_;
  int32_t cursor_day_ = 0;
  CalendarLocale locale_;
  QImage image_;
  std::unique_ptr<QPainterSurface> surface_;
  std::unique_ptr<CalendarHostByName> host_;
  QComboBox* day_types_;
  QLabel* caption_;
  QPushButton* previous_;
  QPushButton* next_;
  QSpinBox* year_;
  CalendarPaintArea* area_;
  QLabel* status_;
};

}  // namespace quindo
