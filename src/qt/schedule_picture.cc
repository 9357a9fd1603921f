#include "qt/schedule_picture.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

#include "qt/time_schedule_view.h"

namespace quindo {

SchedulePicture::SchedulePicture(TimeScheduleView* view, QWidget* parent) : QWidget(parent), view_(view) {
  InstallViewAccessibility();
  setMouseTracking(true);  // the pointer's time follows it without a button
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

QString SchedulePicture::AccessibleName() const { return view_->CursorText(); }

QString SchedulePicture::AccessibleHelp() const {
  return TimeScheduleView::tr(
      "Arrow keys move the cursor by five minutes (with Shift by an hour) or a row; Enter or Space starts "
      "and ends a period; Delete removes the period at the cursor; Ctrl+C, Ctrl+V and Ctrl+I copy, paste "
      "and invert the day; the menu key opens the chart's menu.");
}

void SchedulePicture::paintEvent(QPaintEvent*) {
  // Moved to a screen of another pixel ratio: paint the chart again there.
  if (view_->image_.devicePixelRatio() != devicePixelRatioF()) {
    view_->ResizeImage();
    view_->Repaint();
  }
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  painter.drawImage(0, 0, view_->image_);
  view_->PaintMarks(painter, hasFocus());
}

void SchedulePicture::mousePressEvent(QMouseEvent* event) { view_->PictureMouse(event); }
void SchedulePicture::mouseMoveEvent(QMouseEvent* event) { view_->PictureMouse(event); }
void SchedulePicture::mouseReleaseEvent(QMouseEvent* event) { view_->PictureMouse(event); }

// The wheel over the chart scrolls its rows.
void SchedulePicture::wheelEvent(QWheelEvent* event) { QCoreApplication::sendEvent(view_->scroll_, event); }

void SchedulePicture::keyPressEvent(QKeyEvent* event) {
  if (!view_->PictureKey(event)) QWidget::keyPressEvent(event);
}

void SchedulePicture::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  view_->CursorShown(event->reason() != Qt::MouseFocusReason);
}

void SchedulePicture::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  view_->CursorHidden();
}

}  // namespace quindo
