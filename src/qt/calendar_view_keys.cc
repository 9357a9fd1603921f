// CalendarView from the keyboard: the date cursor, its keys, its frame and
// the text accessibility tools read.

#include <algorithm>

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPalette>

#include "common/language.h"
#include "common/settings.h"
#include "model/calendar/calendar.h"
#include "model/calendar/calendar_geometry.h"
#include "model/calendar/day_number.h"
#include "model/calendar/holiday_label.h"
#include "qt/calendar_host_by_name.h"
#include "qt/calendar_view.h"
#include "qt/qpainter_surface.h"
#include "qt/view_accessibility.h"

namespace quindo {
namespace {

using namespace calendar_layout;

constexpr int kDaysPerWeek = 7;
// The weekday names of the language file, Monday first.
constexpr int kMondayText = 611;

// The same day of the month `months` away, or the month's last day.
int32_t SameDayMonthsAway(int32_t day, int months) {
  const CivilDateTime date = CivilFromDayNumber(day);
  const ShownMonth month = ComputeShownMonth(date.year, date.month + months);
  return month.offset + std::min(date.day, month.days) - 1;
}

}  // namespace

int CalendarView::ShownRows() const {
  const quindo::ShownMonth month = ComputeShownMonth(ShownYear(), ShownMonth());
  return (month.first_weekday + month.days + kDaysPerWeek - 1) / kDaysPerWeek;
}

void CalendarView::KeepCursorIn(const quindo::ShownMonth& month) {
  if (cursor_day_ >= month.offset && cursor_day_ < month.offset + month.days) return;
  const int32_t day_of_month = CivilFromDayNumber(std::clamp(cursor_day_, 0, kCalendarDays - 1)).day;
  cursor_day_ = month.offset + std::min(day_of_month, month.days) - 1;
}

bool CalendarView::AreaKey(QKeyEvent* event) {
  if ((event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
  const quindo::ShownMonth month = ComputeShownMonth(ShownYear(), ShownMonth());
  switch (event->key()) {
    case Qt::Key_Left:
      MoveCursorTo(cursor_day_ - 1);
      return true;
    case Qt::Key_Right:
      MoveCursorTo(cursor_day_ + 1);
      return true;
    case Qt::Key_Up:
      MoveCursorTo(cursor_day_ - kDaysPerWeek);
      return true;
    case Qt::Key_Down:
      MoveCursorTo(cursor_day_ + kDaysPerWeek);
      return true;
    case Qt::Key_Home:
      MoveCursorTo(month.offset);
      return true;
    case Qt::Key_End:
      MoveCursorTo(month.offset + month.days - 1);
      return true;
    case Qt::Key_PageUp:
      MoveCursorTo(SameDayMonthsAway(cursor_day_, -1));
      return true;
    case Qt::Key_PageDown:
      MoveCursorTo(SameDayMonthsAway(cursor_day_, 1));
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
      PaintAtCursor();
      return true;
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
      ClearAtCursor();
      return true;
    default:
      return false;
  }
}

void CalendarView::MoveCursorTo(int32_t day) {
  // The calendar's first and last days are as far as it goes.
  if (day < 0 || day >= kCalendarDays) return;
  cursor_day_ = day;
  const CivilDateTime date = CivilFromDayNumber(day);
  if (date.year != ShownYear() || date.month != ShownMonth()) {
    ShowMonth(date.year, date.month);  // repaints and shows the cursor
  } else {
    CursorChanged();
  }
}

void CalendarView::PaintAtCursor() {
  if (Get_Combo_Calendar_DayType_SelectedItem().isNull()) {
    status_->setText(tr("Choose the day type to paint first."));
    return;
  }
  // What a press on the date does, at its box's centre.
  const DayCell cell =
      CellOfDayIndex(cursor_day_ - calendar_->m_ActualMonthOffset, calendar_->m_FirstWeekDayInActualMonth);
  const auto x = static_cast<float>(CellLeft(cell.column) + kCellWidth / 2);
  const auto y = static_cast<float>(CellTop(cell.row) + kCellHeight / 2);
  bool changed = false;
  Run("MouseDown", [&] { changed = calendar_->MouseDown(*host_, surface_.get(), 1, 0, x, y); });
  calendar_->MouseUp(1, 0, x, y);
  if (changed) emit calendarChanged();
  CursorChanged();
}

void CalendarView::ClearAtCursor() {
  const int32_t index = cursor_day_ - calendar_->m_ActualMonthOffset;
  bool changed = false;
  Run("SetDayType", [&] {
    if (calendar_->GetDayType(cursor_day_) == 0) return;
    calendar_->SetDayType(cursor_day_, 0);
    changed = true;
    calendar_->PaintDateBox(*host_, surface_.get(), index);
  });
  if (changed) emit calendarChanged();
  CursorChanged();
}

void CalendarView::CursorChanged() {
  PaintArea()->update();
  NotifyAccessibleNameChanged(PaintArea());
}

void CalendarView::PaintCursor(QPainter& painter) const {
  const DayCell cell =
      CellOfDayIndex(cursor_day_ - calendar_->m_ActualMonthOffset, calendar_->m_FirstWeekDayInActualMonth);
  painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(CellLeft(cell.column) + 1, CellTop(cell.row) + 1, kCellWidth - 1, kCellHeight - 1));
}

QString CalendarView::CursorText() const {
  const CivilDateTime date = CivilFromDayNumber(cursor_day_);
  const int weekday = WeekdayOfDayNumber(cursor_day_);
  const QString month = QString::fromStdString(locale_.month_names[date.month - 1]);
  QString text = tr("Calendar, %1 %2 %3 %4")
                     .arg(QString::fromStdString(GetLanguageText(kMondayText + weekday)))
                     .arg(date.day)
                     .arg(month)
                     .arg(date.year);
  const int16_t day_type = calendar_->GetDayType(cursor_day_);
  text += QStringLiteral(": ") + day_types_->itemText(day_type);
  if (day_type < 0 || day_type >= day_types_->count()) text += tr("day type %1").arg(day_type);
  if (HolidayDays().at(cursor_day_) != 0) {
    for (const auto& [key, label] : HolidayLabels()) {
      if (label && label->m_Day == cursor_day_) {
        text += QStringLiteral(" (%1)").arg(QString::fromStdString(label->m_Label));
        break;
      }
    }
  }
  return text;
}

}  // namespace quindo
