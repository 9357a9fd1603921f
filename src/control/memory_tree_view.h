#pragma once
// A tree view kept in memory: top-level nodes in order, indexed by key, so
// that finding, moving and removing a node by key take constant time.

#include <list>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "common/export.h"
#include "control/memory_window.h"

namespace quindo {

class QUINDO_EXPORT MemoryTreeView : public MemoryWindow<TreeView> {
 public:
  void SetPathSeparator(const std::string& separator) override { path_separator_ = separator; }
  void SetIcons(const IconSet& icons) override { icons_ = icons; }
  void Clear() override;
  void Add(const std::string& key, const std::string& text) override;
  void Remove(const std::string& key) override;
  bool Contains(const std::string& key) const override { return index_.count(key) != 0; }
  TreeNode Node(const std::string& key) const override;
  void SetImage(const std::string& key, int32_t image) override;
  int32_t Count() const override { return static_cast<int32_t>(nodes_.size()); }
  void ForEachNode(const std::function<bool(const TreeNode&)>& visit) const override;
  std::optional<std::string> SelectedKey() const override { return selected_; }
  void Select(const std::string& key) override;
  void EnsureVisible(const std::string& key) override;
  void SetPending(const std::string& key, bool pending) override;

  // What the view holds, for tests and the headless client.
  const std::string& PathSeparator() const { return path_separator_; }
  const IconSet& Icons() const { return icons_; }
  std::vector<TreeNode> Nodes() const;
  // The last node scrolled into view, if it still exists.
  std::optional<std::string> VisibleKey() const { return visible_; }

 private:
  // Raises 5 for a key not in the tree.
  std::list<TreeNode>::iterator Find(const std::string& key);
  std::list<TreeNode>::const_iterator Find(const std::string& key) const;

  std::list<TreeNode> nodes_;
  std::unordered_map<std::string, std::list<TreeNode>::iterator> index_;
  std::optional<std::string> selected_;
  std::optional<std::string> visible_;
  std::string path_separator_ = "\\";
  IconSet icons_{0, {}};  // none until the control gives them, as a new tree
};

}  // namespace quindo
