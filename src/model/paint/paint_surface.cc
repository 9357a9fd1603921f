#include "model/paint/paint_surface.h"

namespace quindo {

void PaintSurface::Line(double x1, double y1, double x2, double y2, Rgb colour) {
  DrawLine(x1, y1, x2, y2, colour);
  current_x_ = x2;
  current_y_ = y2;
}

void PaintSurface::Stripe(double x1, double y1, double x2, double y2, Rgb colour) {
  DrawStripe(x1, y1, x2, y2, colour);
  current_x_ = x2;
  current_y_ = y2;
}

void PaintSurface::FillBox(double x1, double y1, double x2, double y2, Rgb colour) {
  DrawFilledBox(x1, y1, x2, y2, colour);
}

void PaintSurface::Print(const std::string& utf8) {
  DrawText(current_x_, current_y_, utf8);
  current_x_ += TextWidth(utf8);
}

void PaintSurface::SetMousePointer(int16_t shape) {
  mouse_pointer_ = shape;
  ShowMousePointer(shape);
}

void PaintSurface::SetToolTipText(const std::string& utf8) {
  tool_tip_text_ = utf8;
  ShowToolTipText(utf8);
}

}  // namespace quindo
