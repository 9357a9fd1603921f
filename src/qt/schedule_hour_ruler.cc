#include "qt/schedule_hour_ruler.h"

#include <array>

#include <QFontMetricsF>
#include <QPainter>

#include "model/schedule/schedule_geometry.h"
#include "qt/qpainter_surface.h"

namespace quindo {
namespace {

constexpr int kHours = 24;
constexpr std::array<int, 6> kSteps = {1, 2, 3, 4, 6, 12};
// Room between two labels, in pixels.
constexpr double kLabelGap = 6;

QString HourLabel(int hour) { return QStringLiteral("%1").arg(hour, 2, 10, QLatin1Char('0')); }

}  // namespace

HourRuler::HourRuler(QWidget* parent) : QWidget(parent) {
  setFont(QPainterSurface::DefaultFont());
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void HourRuler::SetStretch(double stretch) {
  if (stretch == stretch_) return;
  stretch_ = stretch;
  update();
}

double HourRuler::HourX(int hour) const { return StretchedX(MinuteToX(hour * 60, 1.0f), stretch_); }

int HourRuler::HourStep() const {
  const double needed = QFontMetricsF(font()).horizontalAdvance(HourLabel(kHours)) + kLabelGap;
  const double hour_width = HourX(1) - HourX(0);
  for (int step : kSteps) {
    if (hour_width * step >= needed) return step;
  }
  return kSteps.back();
}

void HourRuler::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::WindowText));
  const QFontMetricsF metrics(font());
  const int step = HourStep();
  for (int hour = 0; hour <= kHours; hour += step) {
    const QString label = HourLabel(hour);
    const double left = HourX(hour) - metrics.horizontalAdvance(label) / 2;
    painter.drawText(QPointF(left, metrics.ascent()), label);
  }
}

}  // namespace quindo
