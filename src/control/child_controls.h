#pragma once
// The small interfaces through which ActiveProfiles drives its child
// controls. The Qt widget implements them with real widgets, a QTcpSocket and
// a QTimer; the in-memory implementations let the headless client and the
// tests run the control without a display, driving ticks and socket events
// by hand. Operations that fail raise quindo::Error.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quindo {

// Position and size in the host's units (pixels for the Qt widget).
class ChildWindow {
 public:
  virtual ~ChildWindow() = default;
  virtual void SetVisible(bool visible) = 0;
  virtual bool IsVisible() const = 0;
  virtual void Move(float left, float top, float width, float height) = 0;
  virtual float Left() const = 0;
  virtual float Top() const = 0;
  virtual float Width() const = 0;
  virtual float Height() const = 0;
};

// The icons of the tree: square icons with the given ids; 1 marks an enabled
// profile, 2 a disabled one.
struct IconSet {
  int32_t icon_size = 13;
  std::vector<int32_t> ids{1, 2, 3, 4};
};

struct TreeNode {
  std::string key;
  std::string text;
  int32_t image = 0;
  bool pending = false;  // a request for it is waiting for the server's report
};

// A node's name as the operator reads it: an empty name would give a blank
// row, so it shows as "(no name) K12". Name queries use the text itself.
inline std::string ShownName(const TreeNode& node) {
  return node.text.empty() ? "(no name) " + node.key : node.text;
}

// A tree of top-level nodes, each with a unique key, a text and an image id.
class TreeView : public ChildWindow {
 public:
  virtual void SetPathSeparator(const std::string& separator) = 0;
  virtual void SetIcons(const IconSet& icons) = 0;
  // Removes every node.
  virtual void Clear() = 0;
  // Adds a top-level node after all others; a key in use raises an error.
  virtual void Add(const std::string& key, const std::string& text) = 0;
  // Removes the node with the key; an absent key raises an error.
  virtual void Remove(const std::string& key) = 0;
  virtual bool Contains(const std::string& key) const = 0;
  // The node with the key; an absent key raises an error.
  virtual TreeNode Node(const std::string& key) const = 0;
  virtual void SetImage(const std::string& key, int32_t image) = 0;
  virtual int32_t Count() const = 0;
  // Visits the nodes in tree order until the visitor returns false.
  virtual void ForEachNode(const std::function<bool(const TreeNode&)>& visit) const = 0;
  // The key of the selected node, if any.
  virtual std::optional<std::string> SelectedKey() const = 0;
  // Selects the node; an absent key raises an error.
  virtual void Select(const std::string& key) = 0;
  // Scrolls so that the node is visible; an absent key raises an error.
  virtual void EnsureVisible(const std::string& key) = 0;
  // Marks the node as waiting for the server's answer to a request, or not;
  // an absent key is ignored. A tree that cannot show it ignores it.
  virtual void SetPending(const std::string& /*key*/, bool /*pending*/) {}
};

class Label : public ChildWindow {};

// A TCP client socket. Its events (connected, closed by the peer, error, data
// arrival) are delivered by the owner to the ActiveProfiles handlers; a close
// made by the control itself delivers no event.
class Socket {
 public:
  static constexpr int32_t kStateConnected = 7;
  // An attempt under way: resolving the host name (4) or connecting (6).
  static bool IsConnecting(int32_t state) { return state == 4 || state == 6; }

  virtual ~Socket() = default;
  // 7 when connected; any other value counts as down.
  virtual int32_t State() const = 0;
  // Starts a connection attempt; completion comes as an event.
  virtual void Connect(const std::string& host, int32_t port) = 0;
  // Hands one frame's bytes to the link as one write; raises on failure.
  virtual void SendData(const std::string& bytes) = 0;
  // Takes every received byte not yet taken.
  virtual std::string GetData() = 0;
  virtual void Close() = 0;
  // Why the last connection attempt or link failed, in the socket's words
  // ("Connection refused"); empty when it does not say.
  virtual std::string ErrorText() const { return {}; }
};

// An interval timer; its tick calls ActiveProfiles::Timer_Reconnect_Timer.
class Timer {
 public:
  virtual ~Timer() = default;
  virtual int32_t Interval() const = 0;
  virtual void SetInterval(int32_t milliseconds) = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool IsEnabled() const = 0;
};

// The children of one control; they outlive it.
struct ChildControls {
  TreeView* tree = nullptr;   // TreeView_Profiles
  Label* label = nullptr;     // Label_Connection
  Socket* socket = nullptr;   // Winsock_Quindo
  Timer* timer = nullptr;     // Timer_Reconnect
};

}  // namespace quindo
