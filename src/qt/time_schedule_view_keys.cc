// TimeScheduleView from the keyboard: the cursor, its keys, what is drawn
// over the chart, and the text accessibility tools read.

#include <algorithm>
#include <cmath>

#include <QFrame>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>

#include "common/settings.h"
#include "model/schedule/period_cover.h"
#include "model/schedule/schedule_geometry.h"
#include "model/schedule/time_schedule.h"
#include "model/schedule/time_text.h"
#include "qt/schedule_picture.h"
#include "qt/time_schedule_view.h"
#include "qt/view_accessibility.h"

namespace quindo {
namespace {

using namespace schedule_layout;

constexpr int kMinutesPerHour = 60;
// The mark of a grouped row, in pixels: a triangle in the bar's top right.
constexpr int kGroupMarkSize = 9;
const QColor kGroupMark(32, 64, 160);
const QColor kCursor(0, 90, 220);
const QColor kStartedPeriod(0, 90, 220, 70);

// The next multiple of `step` after `minute`, or before it.
int StepOn(int minute, int step) { return (minute / step + 1) * step; }
int StepBack(int minute, int step) { return ((minute + step - 1) / step - 1) * step; }

QString DayName(int day_type) {
  const std::string& name = DayTypeNames()[day_type];
  return name.empty() ? TimeScheduleView::tr("Day type %1").arg(day_type) : QString::fromStdString(name);
}

QString Time(int minute) { return QString::fromStdString(TimeText(minute)); }

}  // namespace

int TimeScheduleView::RowsWithDayTypes() const {
  if (!schedule_) return 0;
  const auto& active = schedule_->ActiveTable();
  const int active_count =
      static_cast<int>(std::count_if(active.begin(), active.end(), [](int16_t a) { return a != 0; }));
  return std::min<int>(schedule_->m_NumberOfAxisToPaint, active_count);
}

bool TimeScheduleView::PictureKey(QKeyEvent* event) {
  if (!schedule_ || RowsWithDayTypes() == 0) return false;
  const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
  const bool shift = modifiers == Qt::ShiftModifier;
  if (modifiers != Qt::NoModifier && !shift) return false;
  const int step = shift ? kMinutesPerHour : kMinutesPerUnit;
  switch (event->key()) {
    case Qt::Key_Left:
      MoveCursor(cursor_row_, StepBack(cursor_minute_, step));
      return true;
    case Qt::Key_Right:
      MoveCursor(cursor_row_, StepOn(cursor_minute_, step));
      return true;
    case Qt::Key_Home:
      MoveCursor(cursor_row_, 0);
      return true;
    case Qt::Key_End:
      MoveCursor(cursor_row_, kLastMinute);
      return true;
    case Qt::Key_Up:
      MoveCursor(cursor_row_ - 1, cursor_minute_);
      return true;
    case Qt::Key_Down:
      MoveCursor(cursor_row_ + 1, cursor_minute_);
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
      StartOrEndPeriod();
      return true;
    case Qt::Key_Escape:
      if (!period_start_) return false;
      period_start_.reset();
      CursorChanged();
      return true;
    case Qt::Key_Menu:
      OpenMenuAtCursor();
      return true;
    case Qt::Key_F10:
      if (!shift) return false;
      OpenMenuAtCursor();
      return true;
    default:
      return false;
  }
}

void TimeScheduleView::MoveCursor(int row, int minute) {
  row = std::clamp(row, 0, RowsWithDayTypes() - 1);
  // A started period belongs to its row.
  if (row != cursor_row_) period_start_.reset();
  cursor_row_ = row;
  cursor_minute_ = std::clamp(minute, 0, kLastMinute);
  SelectAtCursor();
  ScrollToCursor();
  CursorChanged();
}

void TimeScheduleView::SelectAtCursor() {
  Run(
      "SelectAt", [this] { schedule_->SelectAt(*this, paint_object_, cursor_row_, cursor_minute_); }, true);
}

void TimeScheduleView::StartOrEndPeriod() {
  if (!period_start_) {
    period_start_ = cursor_minute_;
  } else {
    const int from = *period_start_;
    period_start_.reset();
    Run("AddPeriodAt",
        [&] { schedule_->AddPeriodAt(*this, paint_object_, cursor_row_, from, cursor_minute_); });
  }
  CursorChanged();
}

void TimeScheduleView::OpenMenuAtCursor() {
  // What a right press at the cursor does: the row is selected and the
  // menu's items show its state.
  const QPointF at(MinuteToX(cursor_minute_, schedule_->ScaleFactor()),
                   BarLineY(cursor_row_, kBarHeight / 2));
  menu_prepared_ = false;
  Run("MouseDown", [&] {
    schedule_->MouseDown(*this, paint_object_, 2, 0, static_cast<float>(at.x()), static_cast<float>(at.y()));
  });
  if (menu_prepared_) menu_->popup(picture_->mapToGlobal(PicturePoint(at).toPoint()));
}

void TimeScheduleView::ScrollToCursor() {
  const int top = -picture_->y();
  const int row_top = RowTopY(cursor_row_);
  const int row_bottom = RowTopY(cursor_row_ + 1) + kBarTop;
  if (row_top < top) {
    scroll_->setValue(static_cast<int>(row_top / kUnitsPerScrollStep));
  } else if (row_bottom > top + frame_->height()) {
    scroll_->setValue(static_cast<int>(std::ceil((row_bottom - frame_->height()) / kUnitsPerScrollStep)));
  }
}

void TimeScheduleView::CursorChanged() {
  picture_->update();
  NotifyAccessibleNameChanged(picture_);
}

void TimeScheduleView::CursorShown(bool by_key) {
  if (by_key && RowsWithDayTypes() > 0) {
    cursor_row_ = std::min(cursor_row_, RowsWithDayTypes() - 1);
    ScrollToCursor();
  }
  CursorChanged();
}

void TimeScheduleView::CursorHidden() {
  period_start_.reset();
  picture_->update();
}

void TimeScheduleView::PaintMarks(QPainter& painter, bool focused) const {
  if (!schedule_) return;
  const double axis_end = PixelX(kLeftMargin + kAxisWidth);
  for (int16_t d = 0; d < kDayTypes; ++d) {
    if (schedule_->GetActive(d) == 0 || schedule_->GetGrouped(d) == 0) continue;
    const double top = BarLineY(schedule_->GetAxisOfDayType(d), 0);
    const QPointF corner[] = {
        {axis_end - kGroupMarkSize, top}, {axis_end, top}, {axis_end, top + kGroupMarkSize}};
    painter.setPen(Qt::NoPen);
    painter.setBrush(kGroupMark);
    painter.drawPolygon(corner, 3);
  }
  if (!focused || RowsWithDayTypes() == 0) return;
  const float scale = schedule_->ScaleFactor();
  const double x = PixelX(MinuteToX(cursor_minute_, scale));
  const int bar_top = BarLineY(cursor_row_, 0);
  if (period_start_) {
    const double start = PixelX(MinuteToX(*period_start_, scale));
    painter.fillRect(
        QRectF(QPointF(std::min(start, x), bar_top), QPointF(std::max(start, x), bar_top + kBarHeight)),
        kStartedPeriod);
  }
  painter.fillRect(QRectF(x - 1, bar_top - 3, 2, kBarHeight + 6), kCursor);
  painter.setPen(QPen(kCursor, 1, Qt::DotLine));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(PixelX(kLeftMargin), RowTopY(cursor_row_) + 0.5, axis_end - PixelX(kLeftMargin),
                          kRowHeight - 2));
}

QString TimeScheduleView::CursorText() const {
  QString text = tr("Week chart");
  const int day_type = schedule_ ? DayTypeAtRow(schedule_->ActiveTable(), cursor_row_) : -1;
  if (day_type < 0) return text;
  QStringList periods;
  for (const PeriodRef& period : schedule_->Periods(static_cast<int16_t>(day_type))) {
    if (const auto span = CoveredSpan(*period))
      periods << Time(span->start) + QLatin1Char('-') + Time(span->stop);
  }
  text += QStringLiteral(", %1 %2: %3")
              .arg(DayName(day_type), Time(cursor_minute_),
                   periods.isEmpty() ? tr("no periods") : periods.join(QStringLiteral(", ")));
  if (schedule_->GetGrouped(static_cast<int16_t>(day_type)) != 0) text += tr(", grouped");
  if (period_start_) text += tr(", period from %1 started").arg(Time(*period_start_));
  return text;
}

}  // namespace quindo
