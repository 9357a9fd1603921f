#pragma once
// Reading a view's image, which has the screen's pixel ratio, in the views'
// units: the tests check the same places at every ratio.

#include <cmath>

#include <QImage>
#include <QRect>

namespace quindo::testing {

// The device pixel at which unit u starts.
inline int DevicePixel(const QImage& image, double unit) {
  return static_cast<int>(std::lround(unit * image.devicePixelRatio()));
}

// The pixel at a point given in units.
inline QRgb UnitPixel(const QImage& image, double x, double y) {
  return image.pixel(DevicePixel(image, x), DevicePixel(image, y));
}

// At a ratio of 2, whether some 2 x 2 block of device pixels of the units
// in `units` is not one colour, as every block of a 1x picture stretched is.
inline bool HasDevicePixelDetail(const QImage& image, const QRect& units) {
  for (int y = units.top(); y <= units.bottom(); ++y) {
    for (int x = units.left(); x <= units.right(); ++x) {
      const QRgb corner = image.pixel(2 * x, 2 * y);
      if (image.pixel(2 * x + 1, 2 * y) != corner || image.pixel(2 * x, 2 * y + 1) != corner ||
          image.pixel(2 * x + 1, 2 * y + 1) != corner) {
        return true;
      }
    }
  }
  return false;
}

}  // namespace quindo::testing
