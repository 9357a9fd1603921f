#pragma once
// The picture box of TimeScheduleView: shows the painted chart with the
// view's marks over it (grouped rows, the keyboard cursor) and passes the
// mouse, the keys and the focus to the view. Tab reaches it, and
// accessibility tools read it as a chart named by what lies under the
// cursor.

#include <QWidget>

#include "qt/view_accessibility.h"

namespace quindo {

class TimeScheduleView;

class SchedulePicture : public QWidget, public AccessibleViewPart {
 public:
  SchedulePicture(TimeScheduleView* view, QWidget* parent);

  QAccessible::Role AccessibleRole() const override { return QAccessible::Chart; }
  QString AccessibleName() const override;
  QString AccessibleHelp() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  TimeScheduleView* view_;
};

}  // namespace quindo
