#pragma once
// The ChildWindow part of a child control, on a QWidget. Positions are
// pixels; the control computes them in single precision and Qt places
// widgets on whole pixels, so values are rounded to the nearest pixel.

#include <QWidget>

#include "control/child_controls.h"

namespace quindo {

template <typename Interface>
class WidgetWindow : public Interface {
 public:
  explicit WidgetWindow(QWidget* widget) : widget_(widget) {}

  void SetVisible(bool visible) override { widget_->setVisible(visible); }
  // Whether the widget is meant to be shown; a hidden parent does not count.
  bool IsVisible() const override { return !widget_->isHidden(); }
  void Move(float left, float top, float width, float height) override {
    widget_->setGeometry(qRound(left), qRound(top), qMax(0, qRound(width)), qMax(0, qRound(height)));
  }
  float Left() const override { return static_cast<float>(widget_->x()); }
  float Top() const override { return static_cast<float>(widget_->y()); }
  float Width() const override { return static_cast<float>(widget_->width()); }
  float Height() const override { return static_cast<float>(widget_->height()); }

 protected:
  QWidget* widget_;
};

// Label_Connection: a QLabel whose text and colours the widget sets once.
class QtLabel : public WidgetWindow<Label> {
 public:
  using WidgetWindow<Label>::WidgetWindow;
};

}  // namespace quindo
