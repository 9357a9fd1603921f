#pragma once
// TreeView_Profiles on a ProfileTreeWidget. Each item carries the node's key
// and image id in its data; a key index finds a node without walking the
// tree, since the control looks nodes up by key on every profile report.

#include <cstdint>
#include <map>
#include <string>

#include <QHash>
#include <QIcon>
#include <QString>

#include "control/child_controls.h"
#include "qt/widget_window.h"

class QTreeWidgetItem;

namespace quindo {

class ProfileTreeWidget;

class QtTreeView : public WidgetWindow<TreeView> {
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

  ProfileTreeWidget* Widget() const { return tree_; }

 private:
  QTreeWidgetItem* Find(const std::string& key) const;
  static TreeNode NodeOf(const QTreeWidgetItem* item);
  QIcon IconFor(int32_t image) const;

  ProfileTreeWidget* tree_;
  QHash<QString, QTreeWidgetItem*> items_;
  std::map<int32_t, QIcon> icons_;
  std::string separator_ = "\\";
};

}  // namespace quindo
