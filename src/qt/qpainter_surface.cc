#include "qt/qpainter_surface.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <unordered_map>

#include <QPaintDevice>

namespace quindo {
namespace {

// Handles of the live surfaces of this thread (the views live on the user-
// interface thread). They start high so that they never look like a count.
std::unordered_map<int32_t, QPainterSurface*>& Surfaces() {
  thread_local std::unordered_map<int32_t, QPainterSurface*> surfaces;
  return surfaces;
}
int32_t NextHandle() {
  thread_local int32_t next = 0x10000;
  return next++;
}

int Pixel(double unit) { return static_cast<int>(std::lround(unit)); }

constexpr int kFontPixelSize = 11;

}  // namespace

QPainterSurface::QPainterSurface(QPaintDevice* device) : device_(device), handle_(NextHandle()) {
  Surfaces()[handle_] = this;
  SetFont(DefaultFont());
}

QPainterSurface::QPainterSurface(QImage* image) : QPainterSurface(static_cast<QPaintDevice*>(image)) {
  image_ = image;
}

QPainterSurface::~QPainterSurface() {
  End();
  Surfaces().erase(handle_);
}

QFont QPainterSurface::DefaultFont() {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(kFontPixelSize);
  font.setStyleStrategy(QFont::NoAntialias);
  return font;
}

void QPainterSurface::SetFont(const QFont& font) {
  font_ = font;
  bold_font_ = font;
  bold_font_.setBold(true);
  metrics_ = std::make_unique<QFontMetricsF>(font_);
  bold_metrics_ = std::make_unique<QFontMetricsF>(bold_font_);
}

QPainterSurface* QPainterSurface::FromHandle(int32_t device_context) {
  const auto found = Surfaces().find(device_context);
  return found == Surfaces().end() ? nullptr : found->second;
}

QPainter& QPainterSurface::Painter() {
  if (!painter_.isActive()) {
    painter_.begin(device_);
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, false);
    pen_set_ = false;
  }
  return painter_;
}

void QPainterSurface::End() {
  if (painter_.isActive()) painter_.end();
}

double QPainterSurface::TextWidth(const std::string& utf8) const {
  return CurrentMetrics().horizontalAdvance(QString::fromStdString(utf8));
}

double QPainterSurface::TextHeight(const std::string&) const { return CurrentMetrics().height(); }

void QPainterSurface::UsePen(Rgb colour) {
  const QRgb rgb = qRgb(colour.red, colour.green, colour.blue);
  if (pen_set_ && rgb == pen_colour_) return;
  // Width 0: a cosmetic one-pixel line that covers both of its end points.
  painter_.setPen(QPen(QColor(rgb), 0));
  pen_colour_ = rgb;
  pen_set_ = true;
}

void QPainterSurface::DrawLine(double x1, double y1, double x2, double y2, Rgb colour) {
  DrawUnitLine(x1, y1, x2, y2, colour, false);
}

void QPainterSurface::DrawStripe(double x1, double y1, double x2, double y2, Rgb colour) {
  DrawUnitLine(x1, y1, x2, y2, colour, true);
}

void QPainterSurface::DrawUnitLine(double x1, double y1, double x2, double y2, Rgb colour, bool whole_unit) {
  const int ax = Pixel(x1), ay = Pixel(y1), bx = Pixel(x2), by = Pixel(y2);
  const int dx = bx - ax, dy = by - ay;
  const int steps = std::max(std::abs(dx), std::abs(dy));
  if (steps == 0) return;  // a line to its own start covers nothing
  // The last point is left out: step back one unit along the line.
  const int ex = ax + static_cast<int>(std::lround(dx * (steps - 1) / static_cast<double>(steps)));
  const int ey = ay + static_cast<int>(std::lround(dy * (steps - 1) / static_cast<double>(steps)));
  if (ax == ex || ay == ey) {
    // The views' lines are all level or upright: boxes of device pixels,
    // much cheaper than a pen per colour.
    const int left = DevicePixelX(std::min(ax, ex)), right = DevicePixelX(std::max(ax, ex) + 1);
    const int top = DevicePixel(std::min(ay, ey)), bottom = DevicePixel(std::max(ay, ey) + 1);
    if (whole_unit) {
      FillDevicePixels(left, top, right, bottom, colour);
    } else if (ay == ey) {
      FillDevicePixels(left, top, right, top + 1, colour);
    } else {
      FillDevicePixels(left, top, left + 1, bottom, colour);
    }
    return;
  }
  // A slanted line: a cosmetic pen is one device pixel wide at any ratio.
  QPainter& painter = Painter();
  UsePen(colour);
  if (x_map_) {
    painter.drawLine(QPointF(MapX(ax), ay), QPointF(MapX(ex), ey));
  } else {
    painter.drawLine(ax, ay, ex, ey);
  }
}

void QPainterSurface::DrawFilledBox(double x1, double y1, double x2, double y2, Rgb colour) {
  // Corners in any order; QRect::normalized() would shift a reversed box.
  const int left = std::min(Pixel(x1), Pixel(x2)), right = std::max(Pixel(x1), Pixel(x2));
  const int top = std::min(Pixel(y1), Pixel(y2)), bottom = std::max(Pixel(y1), Pixel(y2));
  FillDevicePixels(DevicePixelX(left), DevicePixel(top), DevicePixelX(right + 1), DevicePixel(bottom + 1),
                   colour);
}

int QPainterSurface::DevicePixel(int unit) const {
  return static_cast<int>(std::lround(unit * device_->devicePixelRatio()));
}

int QPainterSurface::DevicePixelX(int unit) const {
  if (!x_map_) return DevicePixel(unit);
  return static_cast<int>(std::lround(MapX(unit) * device_->devicePixelRatio()));
}

double QPainterSurface::PlaceX(double unit_x, double width) const {
  if (!x_map_) return unit_x;
  return MapX(unit_x + width / 2) - width / 2;
}

void QPainterSurface::FillDevicePixels(int left, int top, int right, int bottom, Rgb colour) {
  const bool direct = image_ != nullptr && (image_->format() == QImage::Format_RGB32 ||
                                            image_->format() == QImage::Format_ARGB32 ||
                                            image_->format() == QImage::Format_ARGB32_Premultiplied);
  if (!direct) {
    // Device pixel edges in the painter's units, which the painter scales
    // back onto exactly those pixels.
    const qreal ratio = device_->devicePixelRatio();
    Painter().fillRect(QRectF(left / ratio, top / ratio, (right - left) / ratio, (bottom - top) / ratio),
                       QColor(colour.red, colour.green, colour.blue));
    return;
  }
  // Clipped to the image, as the painter would clip.
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, image_->width());
  bottom = std::min(bottom, image_->height());
  if (left >= right || top >= bottom) return;
  const QRgb pixel = qRgb(colour.red, colour.green, colour.blue);  // opaque: the same in all three formats
  for (int y = top; y < bottom; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image_->scanLine(y));
    std::fill(line + left, line + right, pixel);
  }
}

void QPainterSurface::DrawText(double x, double y, const std::string& utf8) {
  if (utf8.empty()) return;
  QPainter& painter = Painter();
  const Rgb fore = ForeColor();
  painter.setPen(QColor(fore.red, fore.green, fore.blue));
  pen_set_ = false;
  painter.setFont(CurrentFont());
  // The current position is the text's top left corner.
  const QString text = QString::fromStdString(utf8);
  const double left = x_map_ ? PlaceX(x, CurrentMetrics().horizontalAdvance(text)) : x;
  painter.drawText(QPointF(Pixel(left), Pixel(y) + CurrentMetrics().ascent()), text);
}

void QPainterSurface::SetPointerHandlers(PointerHandler pointer, ToolTipHandler tool_tip) {
  pointer_handler_ = std::move(pointer);
  tool_tip_handler_ = std::move(tool_tip);
}

void QPainterSurface::ShowMousePointer(int16_t shape) {
  if (pointer_handler_) pointer_handler_(shape);
}

void QPainterSurface::ShowToolTipText(const std::string& utf8) {
  if (tool_tip_handler_) tool_tip_handler_(utf8);
}

}  // namespace quindo
