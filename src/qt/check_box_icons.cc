#include "qt/check_box_icons.h"

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

namespace quindo {

QPixmap CheckBoxPixmap(int32_t id, int size) {
  if (id < kIconEnabled || id > kIconDisabledGrey || size <= 0) return {};
  const bool ticked = id == kIconEnabled || id == kIconEnabledGrey;
  const bool grey = id == kIconEnabledGrey || id == kIconDisabledGrey;

  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);

  const QColor frame = grey ? QColor(160, 160, 160) : QColor(28, 81, 128);
  const QColor fill = grey ? QColor(235, 235, 235) : QColor(255, 255, 255);
  const QColor tick = grey ? QColor(150, 150, 150) : QColor(33, 161, 33);

  // A one-pixel frame around the whole square, filled inside.
  painter.setPen(QPen(frame, 1));
  painter.setBrush(fill);
  painter.drawRect(0, 0, size - 1, size - 1);

  if (ticked) {
    // The tick, scaled from its 13 x 13 design: down from (3,6) to (5,9),
    // then up to (10,3).
    const double s = size / 13.0;
    QPainterPath path;
    path.moveTo(3 * s, 6 * s);
    path.lineTo(5.5 * s, 9 * s);
    path.lineTo(10 * s, 3.5 * s);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(tick, qMax(1.5, 2 * s), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
  }
  return pixmap;
}

QIcon CheckBoxIcon(int32_t id, int size) {
  const QPixmap pixmap = CheckBoxPixmap(id, size);
  return pixmap.isNull() ? QIcon() : QIcon(pixmap);
}

}  // namespace quindo
