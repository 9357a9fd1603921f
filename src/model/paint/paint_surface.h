#pragma once
// The drawing surface of the schedule and calendar views: the operations of
// a host's picture box, in the surface's own units. The record classes own no
// window; they draw on a surface the host gives them. A recording surface
// (tests) and a QPainter surface (widgets, PNG rendering) implement it.
//
// Lines: Line draws every point from its first end up to, NOT including, its
// last end, as the platform's line does. The views' coordinates rely on it:
// a background line from x = 30 to x = 318 covers x 30..317, and the bar end
// drawn at x = 318 does not overlap it. A line whose two ends coincide draws
// nothing. Every implementation keeps this rule; callers never adjust ends.
//
// Units and device pixels: at one device pixel per unit a Line and a Stripe
// are the same points. Where a unit is several device pixels (a high-density
// screen), a Line stays one device pixel thin (grid lines and edges stay
// sharp), while a Stripe, one line of a filled area such as a gradient or a
// strip, fills its units' whole thickness, so neighbouring stripes join.

#include <cstdint>
#include <string>
#include "common/export.h"

namespace quindo {

struct QUINDO_EXPORT Rgb {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  bool operator==(const Rgb&) const = default;
};

constexpr Rgb Grey(int level) {
  return Rgb{static_cast<uint8_t>(level), static_cast<uint8_t>(level), static_cast<uint8_t>(level)};
}

// Mouse pointer shapes, the platform's numbers.
enum MousePointerShape : int16_t {
  kPointerDefault = 0,
  kPointerSizeWestEast = 9,
};

class QUINDO_EXPORT PaintSurface {
 public:
  virtual ~PaintSurface() = default;

  // A line in the colour, last point excluded (see above). The current
  // position moves to (x2, y2), as after the platform's line.
  void Line(double x1, double y1, double x2, double y2, Rgb colour);
  // A line of a filled area (see above); the current position moves as
  // after Line.
  void Stripe(double x1, double y1, double x2, double y2, Rgb colour);
  // A filled box with corners (x1, y1) and (x2, y2), both included.
  void FillBox(double x1, double y1, double x2, double y2, Rgb colour);

  // Where the next Print starts (its top left corner).
  double CurrentX() const { return current_x_; }
  double CurrentY() const { return current_y_; }
  void SetCurrentX(double x) { current_x_ = x; }
  void SetCurrentY(double y) { current_y_ = y; }
  // Prints the text at the current position in the fore colour and the
  // current font, without a line break: the current x moves past the text.
  void Print(const std::string& utf8);

  // Size of a text in the current font (bold or not), in surface units.
  virtual double TextWidth(const std::string& utf8) const = 0;
  virtual double TextHeight(const std::string& utf8) const = 0;

  bool FontBold() const { return font_bold_; }
  void SetFontBold(bool bold) { font_bold_ = bold; }
  Rgb ForeColor() const { return fore_color_; }
  void SetForeColor(Rgb colour) { fore_color_ = colour; }
  Rgb BackColor() const { return back_color_; }
  void SetBackColor(Rgb colour) { back_color_ = colour; }

  // The handle the host's image drawing (Draw_ImageList_ListImages) receives
  // to draw onto this surface.
  virtual int32_t hDC() const = 0;

  int16_t MousePointer() const { return mouse_pointer_; }
  void SetMousePointer(int16_t shape);
  const std::string& ToolTipText() const { return tool_tip_text_; }
  void SetToolTipText(const std::string& utf8);

 protected:
  // The drawing itself; the public operations above keep the state.
  virtual void DrawLine(double x1, double y1, double x2, double y2, Rgb colour) = 0;
  // A surface of one device pixel per unit draws a stripe as a line.
  virtual void DrawStripe(double x1, double y1, double x2, double y2, Rgb colour) {
    DrawLine(x1, y1, x2, y2, colour);
  }
  virtual void DrawFilledBox(double x1, double y1, double x2, double y2, Rgb colour) = 0;
  virtual void DrawText(double x, double y, const std::string& utf8) = 0;
  virtual void ShowMousePointer(int16_t shape) = 0;
  virtual void ShowToolTipText(const std::string& utf8) = 0;

 private:
  double current_x_ = 0;
  double current_y_ = 0;
  bool font_bold_ = false;
  Rgb fore_color_{};               // black
  Rgb back_color_{255, 255, 255};  // white
  int16_t mouse_pointer_ = kPointerDefault;
  std::string tool_tip_text_;
};

}  // namespace quindo
