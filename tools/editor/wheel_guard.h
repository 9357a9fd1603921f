#pragma once
// Number boxes and combo boxes change their value under the mouse wheel
// even when the pointer only passes over them while the user scrolls a
// form. GuardWheel makes every such box under `root` take the wheel only
// when it has the keyboard focus (and no longer take the focus from the
// wheel); otherwise the wheel goes on to the form, which scrolls.

class QWidget;

namespace quindo {

void GuardWheel(QWidget* root);

}  // namespace quindo
