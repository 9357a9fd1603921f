#pragma once
// The paint surface on a Qt paint device (normally a QImage that a widget
// shows, or the image the PNG renderer saves). Drawing opens a QPainter on
// the device on first use and keeps it open until End(), so a whole repaint
// costs one painter; call End() before showing, saving or resizing the
// device. Pixels are exact: no antialiasing, and lines leave out their last
// point as the surface contract says.
//
// Coordinates are units; the device's pixel ratio says how many device
// pixels a unit is (an image made with setDevicePixelRatio, a widget on a
// high-density screen). Unit u starts at device pixel round(u x ratio), so
// filled areas and stripes tile without gaps at any ratio, a line is one
// device pixel thin at that start, and text and images are drawn by QPainter
// at the device's full resolution. A device without a ratio is one pixel
// per unit, as the PNG renders are.
//
// A surface may also map x units onto the device's x by a function of its
// owner's (the week chart stretched to a wide view): lines, boxes and
// stripes then start and end where their unit ends map to, so they still
// tile; text and images keep their size and are centred on where their
// span maps to, which is their own place wherever the map is one to one.
//
// The pointer shape and the tool tip go to handlers the owner installs (a
// widget sets its cursor and tool tip), since an image has neither.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include "model/paint/paint_surface.h"
#include "common/export.h"

class QPaintDevice;

namespace quindo {

class QUINDO_EXPORT QPainterSurface : public PaintSurface {
 public:
  // The default font is a fixed pixel size, so that labels measure the same
  // on every screen and in images.
  explicit QPainterSurface(QPaintDevice* device);
  // On an image of 32-bit pixels, level and upright lines and boxes are
  // written straight into its pixels (the same pixels QPainter would give,
  // many times faster); text and images still go through QPainter.
  explicit QPainterSurface(QImage* image);
  ~QPainterSurface() override;
  QPainterSurface(const QPainterSurface&) = delete;
  QPainterSurface& operator=(const QPainterSurface&) = delete;

  static QFont DefaultFont();
  using PointerHandler = std::function<void(int16_t shape)>;
  using ToolTipHandler = std::function<void(const std::string& utf8)>;
  void SetPointerHandlers(PointerHandler pointer, ToolTipHandler tool_tip);
  void SetFont(const QFont& font);
  // The map of x units to the device's logical x; none is one to one.
  using XMap = std::function<double(double unit_x)>;
  void SetXMap(XMap map) { x_map_ = std::move(map); }
  // Where something `width` units wide starting at unit x is drawn, by the
  // rule above: its left edge in the device's logical x.
  double PlaceX(double unit_x, double width) const;

  // The surface whose hDC is the handle, or none: how a host's image drawing
  // finds where to draw. Handles are unique within the process.
  static QPainterSurface* FromHandle(int32_t device_context);
  // The painter on the device, begun if needed (for the host's images).
  QPainter& Painter();
  // Ends the painter so the device can be shown, saved or replaced.
  void End();

  double TextWidth(const std::string& utf8) const override;
  double TextHeight(const std::string& utf8) const override;
  int32_t hDC() const override { return handle_; }

 protected:
  void DrawLine(double x1, double y1, double x2, double y2, Rgb colour) override;
  void DrawStripe(double x1, double y1, double x2, double y2, Rgb colour) override;
  void DrawFilledBox(double x1, double y1, double x2, double y2, Rgb colour) override;
  void DrawText(double x, double y, const std::string& utf8) override;
  void ShowMousePointer(int16_t shape) override;
  void ShowToolTipText(const std::string& utf8) override;

 private:
  const QFont& CurrentFont() const { return FontBold() ? bold_font_ : font_; }
  const QFontMetricsF& CurrentMetrics() const { return FontBold() ? *bold_metrics_ : *metrics_; }
  void UsePen(Rgb colour);
  // A line of units, last point left out. A level or upright one is one
  // device pixel thin, or fills its units' whole thickness when
  // `whole_unit` is set (a stripe).
  void DrawUnitLine(double x1, double y1, double x2, double y2, Rgb colour, bool whole_unit);
  // The device pixel at which unit u starts, down and across.
  int DevicePixel(int unit) const;
  int DevicePixelX(int unit) const;
  double MapX(double unit) const { return x_map_ ? x_map_(unit) : unit; }
  // Fills device pixels [left, right) x [top, bottom) in the colour.
  void FillDevicePixels(int left, int top, int right, int bottom, Rgb colour);

  QPaintDevice* device_;
  QImage* image_ = nullptr;  // the device, when pixels may be written directly
  PointerHandler pointer_handler_;
  ToolTipHandler tool_tip_handler_;
  XMap x_map_;
  int32_t handle_;
  QPainter painter_;
  QFont font_;
  QFont bold_font_;
  std::unique_ptr<QFontMetricsF> metrics_;
  std::unique_ptr<QFontMetricsF> bold_metrics_;
  bool pen_set_ = false;
  QRgb pen_colour_ = 0;
};

}  // namespace quindo
