#pragma once
// The image list of the 16 special day types, shared by the week chart and
// the month view: image k (1..16) is a small coloured tile with the number
// k, each in its own hue so that neighbouring day types differ at a glance.

#include <cstdint>
#include <vector>

#include <QImage>
#include "common/export.h"

namespace quindo {

constexpr int kSpecialDayTypeImages = 16;
constexpr int kDayTypeImageSize = 16;

// Images 1..16 at positions 0..15, kDayTypeImageSize units square, drawn
// at `pixel_ratio` device pixels per unit (their devicePixelRatio), so that
// a high-density screen shows them sharp. Needs a Q(Gui)Application for the
// digits.
QUINDO_EXPORT const std::vector<QImage>& SpecialDayTypeImages(qreal pixel_ratio = 1);

// Draws image `index` (1..16) with its top left at (x, y) onto the paint
// surface whose hDC is `device_context`, at the surface's pixel ratio: the
// host side of Draw_ImageList_ListImages. Raises 9 for an index outside
// 1..16 and 5 for a handle that names no live surface.
QUINDO_EXPORT void DrawDayTypeImage(int32_t index, int32_t device_context, double x, int32_t y);

}  // namespace quindo
