#include "qt/profile_tree_model.h"

namespace quindo {

ProfileTreeModel::ProfileTreeModel(QObject* parent) : QAbstractListModel(parent) {}

int ProfileTreeModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : Count();
}

QVariant ProfileTreeModel::data(const QModelIndex& index, int role) const {
  const RankedList<NodeData>::Entry* entry = EntryAt(index);
  if (entry == nullptr) return {};
  switch (role) {
    case Qt::DisplayRole: return entry->value.shown;
    case Qt::DecorationRole: return IconFor(entry->value.image);
    case kKeyRole: return QString::fromStdString(entry->key);
    case kImageRole: return entry->value.image;
    default: return {};
  }
}

void ProfileTreeModel::SetIcons(std::map<int32_t, QIcon> icons) {
  icons_ = std::move(icons);
  if (Count() > 0) emit dataChanged(index(0), index(Count() - 1), {Qt::DecorationRole});
}

void ProfileTreeModel::Clear() {
  beginResetModel();
  nodes_.Clear();
  endResetModel();
}

bool ProfileTreeModel::Append(const std::string& key, const std::string& text) {
  if (nodes_.Contains(key)) return false;
  const int row = Count();
  beginInsertRows(QModelIndex(), row, row);
  nodes_.Append(key, NodeData{text, QString::fromStdString(text), 0});
  endInsertRows();
  return true;
}

bool ProfileTreeModel::Remove(const std::string& key) {
  const std::optional<size_t> row = nodes_.RowOf(key);
  if (!row) return false;
  beginRemoveRows(QModelIndex(), static_cast<int>(*row), static_cast<int>(*row));
  nodes_.Remove(key);
  endRemoveRows();
  return true;
}

bool ProfileTreeModel::SetImage(const std::string& key, int32_t image) {
  RankedList<NodeData>::Entry* entry = nodes_.Find(key);
  if (entry == nullptr) return false;
  entry->value.image = image;
  const QModelIndex at = IndexOf(key);
  emit dataChanged(at, at, {Qt::DecorationRole, kImageRole});
  return true;
}

std::optional<TreeNode> ProfileTreeModel::Node(const std::string& key) const {
  const RankedList<NodeData>::Entry* entry = nodes_.Find(key);
  if (entry == nullptr) return std::nullopt;
  return TreeNode{entry->key, entry->value.text, entry->value.image};
}

QModelIndex ProfileTreeModel::IndexOf(const std::string& key) const {
  const std::optional<size_t> row = nodes_.RowOf(key);
  return row ? index(static_cast<int>(*row)) : QModelIndex();
}

std::string ProfileTreeModel::KeyAt(const QModelIndex& index) const {
  const RankedList<NodeData>::Entry* entry = EntryAt(index);
  return entry == nullptr ? std::string() : entry->key;
}

void ProfileTreeModel::ForEachNode(const std::function<bool(const TreeNode&)>& visit) const {
  nodes_.ForEach([&](const RankedList<NodeData>::Entry& entry) {
    return visit(TreeNode{entry.key, entry.value.text, entry.value.image});
  });
}

const RankedList<ProfileTreeModel::NodeData>::Entry* ProfileTreeModel::EntryAt(const QModelIndex& index) const {
  if (!index.isValid() || index.model() != this || index.parent().isValid() || index.column() != 0) {
    return nullptr;
  }
  return nodes_.At(static_cast<size_t>(index.row()));
}

QIcon ProfileTreeModel::IconFor(int32_t image) const {
  const auto it = icons_.find(image);
  return it == icons_.end() ? QIcon() : it->second;
}

}  // namespace quindo
