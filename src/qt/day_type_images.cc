#include "qt/day_type_images.h"

#include <QPainter>

#include "common/error.h"
#include "qt/qpainter_surface.h"

namespace quindo {
namespace {

QImage MakeImage(int number) {
  QImage image(kDayTypeImageSize, kDayTypeImageSize, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  // Hues spread round the colour wheel, 16 apart from one image to the next.
  const QColor fill = QColor::fromHsv((number - 1) * 360 / kSpecialDayTypeImages, 150, 230);
  painter.setPen(fill.darker(160));
  painter.setBrush(fill);
  painter.drawRect(0, 0, kDayTypeImageSize - 1, kDayTypeImageSize - 1);
  QFont font = QPainterSurface::DefaultFont();
  font.setPixelSize(number >= 10 ? 9 : 11);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.drawText(QRect(0, 0, kDayTypeImageSize, kDayTypeImageSize), Qt::AlignCenter,
                   QString::number(number));
  return image;
}

}  // namespace

const std::vector<QImage>& SpecialDayTypeImages() {
  static const std::vector<QImage> images = [] {
    std::vector<QImage> made;
    for (int k = 1; k <= kSpecialDayTypeImages; ++k) made.push_back(MakeImage(k));
    return made;
  }();
  return images;
}

void DrawDayTypeImage(int32_t index, int32_t device_context, double x, int32_t y) {
  if (index < 1 || index > kSpecialDayTypeImages) throw Error(kSubscriptOutOfRange);
  QPainterSurface* surface = QPainterSurface::FromHandle(device_context);
  if (surface == nullptr) throw Error(kInvalidProcedureCall);
  surface->Painter().drawImage(QPointF(x, y), SpecialDayTypeImages()[index - 1]);
}

}  // namespace quindo
