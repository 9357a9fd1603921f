#pragma once
// The hour labels over the week chart's time axis, each centred on the x
// where the chart draws that hour's line (the chart's own geometry,
// stretched as the chart is), in the chart's label font: every hour when the
// axis is wide enough and else every 2, 3, 4, 6 or 12 hours, so that labels
// never touch. Its x origin is the chart picture's.

#include <QWidget>

#include "common/export.h"

namespace quindo {

class QUINDO_EXPORT HourRuler : public QWidget {
 public:
  explicit HourRuler(QWidget* parent = nullptr);

  // The chart's stretch of its time axis (see StretchedX).
  void SetStretch(double stretch);
  // Hours from one label to the next at the present stretch.
  int HourStep() const;
  // The x at which the chart draws the line of hour 0..24.
  double HourX(int hour) const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  double stretch_ = 1;
};

}  // namespace quindo
