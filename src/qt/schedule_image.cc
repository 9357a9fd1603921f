#include "qt/schedule_image.h"

#include <algorithm>
#include <cmath>

#include "model/schedule/time_schedule.h"
#include "qt/day_type_images.h"
#include "qt/qpainter_surface.h"

namespace quindo {

ScheduleImageRenderer::ScheduleImageRenderer(bool view_day_types)
    : view_day_types_(view_day_types), surface_(std::make_unique<QPainterSurface>(&image_)) {}

ScheduleImageRenderer::~ScheduleImageRenderer() = default;

double ScheduleImageRenderer::Get_ImageList_ImageWidth() { return kDayTypeImageSize; }
double ScheduleImageRenderer::Get_ImageList_ImageHeight() { return kDayTypeImageSize; }

void ScheduleImageRenderer::Draw_ImageList_ListImages(int32_t index, int32_t device_context, double x,
                                                      int32_t y, std::optional<int16_t>) {
  DrawDayTypeImage(index, device_context, x, y);
}

void ScheduleImageRenderer::Set_Picture_TimeSchedule_Width(double width) {
  picture_width_ = std::max(0, static_cast<int>(std::lround(width)));
}

void ScheduleImageRenderer::Set_Picture_TimeSchedule_Height(int32_t height) {
  picture_height_ = std::max(0, height);
}

const QImage& ScheduleImageRenderer::Render(cTimeSchedule& schedule) {
  PaintSurface* paint_object = surface_.get();
  schedule.RecalculateAndPrepareToPaint(*this, paint_object, surface_.get());
  surface_->End();
  if (image_.width() != picture_width_ || image_.height() != picture_height_) {
    image_ = QImage(picture_width_, picture_height_, QImage::Format_RGB32);
  }
  return Repaint(schedule);
}

const QImage& ScheduleImageRenderer::Repaint(cTimeSchedule& schedule) {
  surface_->End();
  image_.fill(Qt::white);
  schedule.Paint(*this, surface_.get());
  surface_->End();
  return image_;
}

}  // namespace quindo
