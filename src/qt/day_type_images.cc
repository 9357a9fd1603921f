#include "qt/day_type_images.h"

#include <cmath>
#include <map>

#include <QPainter>

#include "common/error.h"
#include "qt/qpainter_surface.h"

namespace quindo {
namespace {

QImage MakeImage(int number, qreal pixel_ratio) {
  const int device_size = static_cast<int>(std::ceil(kDayTypeImageSize * pixel_ratio));
  QImage image(device_size, device_size, QImage::Format_ARGB32);
  image.setDevicePixelRatio(pixel_ratio);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  // Hues spread round the colour wheel, 16 apart from one image to the next.
  const QColor fill = QColor::fromHsv((number - 1) * 360 / kSpecialDayTypeImages, 150, 230);
  // A border one unit wide, at every pixel ratio.
  painter.fillRect(QRectF(0, 0, kDayTypeImageSize, kDayTypeImageSize), fill.darker(160));
  painter.fillRect(QRectF(1, 1, kDayTypeImageSize - 2, kDayTypeImageSize - 2), fill);
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

const std::vector<QImage>& SpecialDayTypeImages(qreal pixel_ratio) {
  // One set per ratio in use (a screen or two); made on the user-interface
  // thread, where the views paint.
  static std::map<qreal, std::vector<QImage>> sets;
  std::vector<QImage>& images = sets[pixel_ratio];
  if (images.empty()) {
    for (int k = 1; k <= kSpecialDayTypeImages; ++k) images.push_back(MakeImage(k, pixel_ratio));
  }
  return images;
}

void DrawDayTypeImage(int32_t index, int32_t device_context, double x, int32_t y) {
  if (index < 1 || index > kSpecialDayTypeImages) throw Error(kSubscriptOutOfRange);
  QPainterSurface* surface = QPainterSurface::FromHandle(device_context);
  if (surface == nullptr) throw Error(kInvalidProcedureCall);
  QPainter& painter = surface->Painter();
  painter.drawImage(QPointF(surface->PlaceX(x, kDayTypeImageSize), y),
                    SpecialDayTypeImages(painter.device()->devicePixelRatio())[index - 1]);
}

}  // namespace quindo
