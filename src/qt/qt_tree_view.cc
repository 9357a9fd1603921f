#include "qt/qt_tree_view.h"

#include <map>

#include "common/error.h"
#include "qt/check_box_icons.h"
#include "qt/profile_tree_model.h"
#include "qt/profile_tree_widget.h"

namespace quindo {

namespace {

[[noreturn]] void ThrowNotFound() { throw Error(kInvalidProcedureCall, "Element not found"); }

}  // namespace

QtTreeView::QtTreeView(ProfileTreeWidget* tree)
    : WidgetWindow<TreeView>(tree), tree_(tree), nodes_(tree->Nodes()) {}

void QtTreeView::SetIcons(const IconSet& icons) {
  std::map<int32_t, QIcon> shown;
  for (int32_t id : icons.ids) shown[id] = CheckBoxIcon(id, icons.icon_size);
  tree_->setIconSize(QSize(icons.icon_size, icons.icon_size));
  nodes_.SetIcons(std::move(shown));
}

void QtTreeView::Clear() { nodes_.Clear(); }

void QtTreeView::Add(const std::string& key, const std::string& text) {
  if (!nodes_.Append(key, text)) throw Error(kInvalidProcedureCall, "Key is not unique in collection");
}

void QtTreeView::Remove(const std::string& key) {
  if (!nodes_.Remove(key)) ThrowNotFound();
}

bool QtTreeView::Contains(const std::string& key) const { return nodes_.Node(key).has_value(); }

TreeNode QtTreeView::Node(const std::string& key) const {
  std::optional<TreeNode> node = nodes_.Node(key);
  if (!node) ThrowNotFound();
  return std::move(*node);
}

void QtTreeView::SetImage(const std::string& key, int32_t image) {
  if (!nodes_.SetImage(key, image)) ThrowNotFound();
}

int32_t QtTreeView::Count() const { return nodes_.Count(); }

void QtTreeView::ForEachNode(const std::function<bool(const TreeNode&)>& visit) const {
  nodes_.ForEachNode(visit);
}

std::optional<std::string> QtTreeView::SelectedKey() const {
  const QModelIndexList selected = tree_->selectionModel()->selectedIndexes();
  if (selected.isEmpty()) return std::nullopt;
  return nodes_.KeyAt(selected.first());
}

void QtTreeView::Select(const std::string& key) {
  const QModelIndex index = nodes_.IndexOf(key);
  if (!index.isValid()) ThrowNotFound();
  tree_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void QtTreeView::EnsureVisible(const std::string& key) {
  const QModelIndex index = nodes_.IndexOf(key);
  if (!index.isValid()) ThrowNotFound();
  tree_->scrollTo(index);
}

void QtTreeView::SetPending(const std::string& key, bool pending) { nodes_.SetPending(key, pending); }

}  // namespace quindo
