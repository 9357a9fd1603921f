#pragma once
// A control on in-memory children, with the peer's side at hand.

#include <string>
#include <vector>

#include "control/memory_children.h"
#include "wire_bytes.h"

namespace quindo::testing {

struct ControlRig : MemoryActiveProfiles {
  explicit ControlRig(std::string command_line = "/ServerAddress:alarmhost /ServerPort:5000")
      : MemoryActiveProfiles(std::move(command_line)) {}

  MemorySocket& socket() { return children.socket; }
  MemoryTreeView& tree() { return children.tree; }

  // First tick, the server accepts; nothing sent so far is kept.
  void Connect() {
    children.timer.Tick();
    socket().Accept();
    socket().ClearSent();
  }
  void Receive(const std::string& bytes) { socket().Receive(bytes); }
  void Report(int16_t number, bool enabled, const std::string& name) {
    Receive(ComposeFrame(kProfileUpdate, ProfileBody(number, enabled, name)));
  }
  void Click(int16_t shift) {
    control.TreeView_Profiles_MouseDown(1, shift, 0, 0);
    control.TreeView_Profiles_Click();
  }
  std::vector<std::string> Keys() const {
    std::vector<std::string> keys;
    for (const TreeNode& node : children.tree.Nodes()) keys.push_back(node.key);
    return keys;
  }
};

// A control whose link is up, with nothing sent so far.
struct ConnectedRig : ControlRig {
  ConnectedRig() { Connect(); }
};

}  // namespace quindo::testing
