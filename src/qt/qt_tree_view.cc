#include "qt/qt_tree_view.h"

#include <QTreeWidgetItem>

#include "common/error.h"
#include "qt/check_box_icons.h"
#include "qt/profile_tree_widget.h"

namespace quindo {

namespace {

constexpr int kKeyRole = Qt::UserRole;
constexpr int kImageRole = Qt::UserRole + 1;

QString ToQt(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

QtTreeView::QtTreeView(ProfileTreeWidget* tree) : WidgetWindow<TreeView>(tree), tree_(tree) {}

void QtTreeView::SetIcons(const IconSet& icons) {
  icons_.clear();
  for (int32_t id : icons.ids) icons_[id] = CheckBoxIcon(id, icons.icon_size);
  tree_->setIconSize(QSize(icons.icon_size, icons.icon_size));
  for (QTreeWidgetItem* item : std::as_const(items_)) {
    item->setIcon(0, IconFor(item->data(0, kImageRole).toInt()));
  }
}

void QtTreeView::Clear() {
  items_.clear();
  tree_->clear();
}

void QtTreeView::Add(const std::string& key, const std::string& text) {
  const QString qkey = ToQt(key);
  if (items_.contains(qkey)) throw Error(kInvalidProcedureCall, "Key is not unique in collection");
  auto* item = new QTreeWidgetItem(tree_);
  item->setText(0, ToQt(text));
  item->setData(0, kKeyRole, qkey);
  item->setData(0, kImageRole, 0);
  items_.insert(qkey, item);
}

void QtTreeView::Remove(const std::string& key) {
  QTreeWidgetItem* item = Find(key);
  items_.remove(ToQt(key));
  delete item;  // takes it out of the tree
}

bool QtTreeView::Contains(const std::string& key) const { return items_.contains(ToQt(key)); }

TreeNode QtTreeView::Node(const std::string& key) const { return NodeOf(Find(key)); }

void QtTreeView::SetImage(const std::string& key, int32_t image) {
  QTreeWidgetItem* item = Find(key);
  item->setData(0, kImageRole, image);
  item->setIcon(0, IconFor(image));
}

int32_t QtTreeView::Count() const { return tree_->topLevelItemCount(); }

void QtTreeView::ForEachNode(const std::function<bool(const TreeNode&)>& visit) const {
  const int count = tree_->topLevelItemCount();
  for (int i = 0; i < count; ++i) {
    if (!visit(NodeOf(tree_->topLevelItem(i)))) return;
  }
}

std::optional<std::string> QtTreeView::SelectedKey() const {
  const QList<QTreeWidgetItem*> selected = tree_->selectedItems();
  if (selected.isEmpty()) return std::nullopt;
  return selected.first()->data(0, kKeyRole).toString().toStdString();
}

void QtTreeView::Select(const std::string& key) {
  QTreeWidgetItem* item = Find(key);
  tree_->setCurrentItem(item);
  item->setSelected(true);
}

void QtTreeView::EnsureVisible(const std::string& key) { tree_->scrollToItem(Find(key)); }

QTreeWidgetItem* QtTreeView::Find(const std::string& key) const {
  QTreeWidgetItem* item = items_.value(ToQt(key), nullptr);
  if (item == nullptr) throw Error(kInvalidProcedureCall, "Element not found");
  return item;
}

TreeNode QtTreeView::NodeOf(const QTreeWidgetItem* item) {
  return TreeNode{item->data(0, kKeyRole).toString().toStdString(), item->text(0).toStdString(),
                  item->data(0, kImageRole).toInt()};
}

QIcon QtTreeView::IconFor(int32_t image) const {
  const auto it = icons_.find(image);
  return it == icons_.end() ? QIcon() : it->second;
}

}  // namespace quindo
