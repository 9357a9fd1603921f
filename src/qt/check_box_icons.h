#pragma once
// ImageManager_CheckBoxes: the tree's icons, drawn in code so that the
// widget carries no image files. Id 1 is a ticked box (enabled profile),
// 2 an empty box (disabled profile), 3 and 4 the same two boxes greyed out.

#include <cstdint>

#include <QIcon>
#include <QPixmap>

#include "common/export.h"

namespace quindo {

constexpr int32_t kIconEnabled = 1;
constexpr int32_t kIconDisabled = 2;
constexpr int32_t kIconEnabledGrey = 3;
constexpr int32_t kIconDisabledGrey = 4;

// The icon with the id at size x size pixels; a null pixmap for another id.
QUINDO_EXPORT QPixmap CheckBoxPixmap(int32_t id, int size);
QUINDO_EXPORT QIcon CheckBoxIcon(int32_t id, int size);

}  // namespace quindo
