#pragma once
// TreeView_Profiles on a ProfileTreeWidget and its ProfileTreeModel. Lookup
// by key, removal, append and selection each cost O(log n) in the count of
// nodes, since every profile report removes a node and appends it again.

#include <cstdint>
#include <string>

#include "common/export.h"
#include "control/child_controls.h"
#include "qt/widget_window.h"

namespace quindo {

class ProfileTreeModel;
class ProfileTreeWidget;

class QUINDO_EXPORT QtTreeView : public WidgetWindow<TreeView> {
 public:
  explicit QtTreeView(ProfileTreeWidget* tree);

  // Nested names are not shown nested: all nodes are top-level.
  void SetPathSeparator(const std::string& separator) override { separator_ = separator; }
  void SetIcons(const IconSet& icons) override;
  void Clear() override;
  // A key in use raises 5 ("Key is not unique in collection"), as does an
  // absent key ("Element not found") here and below.
  void Add(const std::string& key, const std::string& text) override;
  void Remove(const std::string& key) override;
  bool Contains(const std::string& key) const override;
  TreeNode Node(const std::string& key) const override;
  // An id without an icon (0 among them) shows no icon.
  void SetImage(const std::string& key, int32_t image) override;
  int32_t Count() const override;
  void ForEachNode(const std::function<bool(const TreeNode&)>& visit) const override;
  std::optional<std::string> SelectedKey() const override;
  void Select(const std::string& key) override;
  void EnsureVisible(const std::string& key) override;
  void SetPending(const std::string& key, bool pending) override;

  ProfileTreeWidget* Widget() const { return tree_; }

 private:
  ProfileTreeWidget* tree_;
  ProfileTreeModel& nodes_;
  std::string separator_ = "\\";
};

}  // namespace quindo
