#pragma once
// One control's in-memory children, wired to the control's event handlers.
// Used by the headless client, the tests and the fuzz targets.

#include <memory>
#include <string>

#include "common/export.h"
#include "control/active_profiles.h"
#include "control/memory_socket.h"
#include "control/memory_timer.h"
#include "control/memory_tree_view.h"
#include "control/memory_window.h"

namespace quindo {

struct QUINDO_EXPORT MemoryChildren {
  MemoryTreeView tree;
  MemoryLabel label;
  MemorySocket socket;
  MemoryTimer timer;

  ChildControls Children() { return ChildControls{&tree, &label, &socket, &timer}; }
  // Routes the socket's events and the timer's ticks to the control. The
  // control must not outlive these children.
  void Attach(ActiveProfiles& control);
};

// A control on in-memory children; the children are declared first so that
// they outlive the control.
struct MemoryActiveProfiles {
  explicit MemoryActiveProfiles(std::string command_line = std::string())
      : control(children.Children(), std::move(command_line)) {
    children.Attach(control);
  }
  MemoryChildren children;
  ActiveProfiles control;
};

}  // namespace quindo
