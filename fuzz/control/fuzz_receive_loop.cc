// Any bytes in any chunking through the control, as a server could send them.
// The first bytes choose the chunk sizes and the frame maximum; the rest is
// the stream. Whenever the control drops the link, the peer reconnects, so
// the rest of the stream is still read. The control must not crash, and its
// buffer must stay within one maximum frame and one arrival.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "common/error.h"
#include "control/memory_children.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quindo;
  constexpr size_t kPlanSize = 5;
  if (size < kPlanSize) return 0;
  const uint8_t* plan = data;
  const std::string_view stream(reinterpret_cast<const char*>(data + kPlanSize), size - kPlanSize);

  MemoryActiveProfiles rig("/ServerAddress:fuzz /ServerPort:1");
  // A small maximum lets the fuzzer reach the refusal with short inputs.
  if (plan[0] & 1) rig.control.SetMaximumFrameBody(plan[0]);
  rig.children.timer.Tick();
  rig.children.socket.Accept();

  size_t at = 0;
  for (size_t chunk = 0; at < stream.size(); ++chunk) {
    const size_t length = std::min<size_t>(plan[1 + chunk % 4] + 1, stream.size() - at);
    rig.children.socket.Receive(stream.substr(at, length));
    at += length;
    if (rig.control.BufferedByteCount() > rig.control.MaximumFrameBody() + 5 + 256) std::abort();
    if (rig.control.IsConnectedToServer() == 0) rig.children.socket.Accept();
  }
  // What the host and the user can do with what arrived.
  rig.children.tree.ForEachNode([&](const TreeNode& node) {
    try {
      rig.control.IsProfileEnabled(node.text);
      rig.control.ProfileEnableOrDisable(node.text, 1);
      rig.children.tree.Select(node.key);
      rig.control.TreeView_Profiles_MouseDown(1, 2, 0, 0);
      rig.control.TreeView_Profiles_Click();
      rig.control.TreeView_Profiles_KeyDown(32, 2);
    } catch (const Error&) {
      // A negative profile number cannot be requested.
    }
    return true;
  });
  // What the operator is told about the requests and the link.
  rig.control.RequestStatusText();
  rig.children.timer.Advance(25);
  rig.control.RequestStatusText();
  rig.control.LinkStatusText();
  return 0;
}
