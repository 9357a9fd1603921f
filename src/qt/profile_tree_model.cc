#include "qt/profile_tree_model.h"

#include <algorithm>
#include <cstdlib>

#include <QFont>

#include "qt/check_box_icons.h"

namespace quindo {

struct ProfileTreeModel::NodeData {
  std::string key;
  std::string text;
  QString shown;   // the name as the row shows it, converted once
  QString folded;  // the name case-folded, for the name order
  long long number = 0;  // the profile number in the key, for the name order
  int32_t image = 0;
  bool pending = false;
};

namespace {

QString WaitingText() { return QStringLiteral("waiting for the server"); }

}  // namespace

ProfileTreeModel::ProfileTreeModel(QObject* parent) : QAbstractListModel(parent) {}

ProfileTreeModel::~ProfileTreeModel() = default;

bool ProfileTreeModel::ByName(const NodeData* a, const NodeData* b) {
  if (const int order = a->folded.compare(b->folded); order != 0) return order < 0;
  if (a->number != b->number) return a->number < b->number;
  return a->key < b->key;
}

int ProfileTreeModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : Count();
}

QVariant ProfileTreeModel::data(const QModelIndex& index, int role) const {
  const NodeData* node = NodeAt(index);
  if (node == nullptr) return {};
  const bool known_state = node->image == kIconEnabled || node->image == kIconDisabled;
  const QString state = node->image == kIconEnabled ? QStringLiteral("enabled") : QStringLiteral("disabled");
  switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
      return node->shown;
    case Qt::DecorationRole:
      return IconFor(*node);
    case Qt::FontRole: {
      if (!node->pending) return {};
      QFont font;
      font.setItalic(true);
      return font;
    }
    case Qt::ToolTipRole: {
      // The whole name, which a narrow tree cuts, and the key.
      QString tip = QStringLiteral("%1 (%2)").arg(node->shown, QString::fromStdString(node->key));
      if (known_state) tip += QStringLiteral(", ") + state;
      if (node->pending) tip += QStringLiteral(", ") + WaitingText();
      return tip;
    }
    case Qt::CheckStateRole:
      if (!known_state) return {};
      return node->image == kIconEnabled ? Qt::Checked : Qt::Unchecked;
    case Qt::AccessibleDescriptionRole: {
      QString description = known_state ? state : QString();
      if (node->pending) description += (description.isEmpty() ? QString() : QStringLiteral(", ")) + WaitingText();
      return description;
    }
    case kKeyRole: return QString::fromStdString(node->key);
    case kImageRole: return node->image;
    case kPendingRole: return node->pending;
    default: return {};
  }
}

QVariant ProfileTreeModel::headerData(int section, Qt::Orientation orientation, int role) const {
  // The header is hidden, but screen readers still name the column.
  if (section == 0 && orientation == Qt::Horizontal && role == Qt::DisplayRole) return QStringLiteral("Profile");
  return QAbstractListModel::headerData(section, orientation, role);
}

Qt::ItemFlags ProfileTreeModel::flags(const QModelIndex& index) const {
  if (NodeAt(index) == nullptr) return Qt::NoItemFlags;
  // Checkable so that accessibility tools tell enabled from disabled; the
  // model takes no new check state, as only the server's report changes it.
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren | Qt::ItemIsUserCheckable;
}

void ProfileTreeModel::SetIcons(std::map<int32_t, QIcon> icons) {
  icons_ = std::move(icons);
  if (Count() > 0) emit dataChanged(index(0), index(Count() - 1), {Qt::DecorationRole});
}

void ProfileTreeModel::SetReportOrder(bool report_order) {
  if (report_order == report_order_) return;
  emit layoutAboutToBeChanged();
  const QModelIndexList before = persistentIndexList();
  std::vector<const NodeData*> held;
  held.reserve(static_cast<size_t>(before.size()));
  for (const QModelIndex& at : before) held.push_back(NodeAt(at));
  report_order_ = report_order;
  QModelIndexList after;
  after.reserve(before.size());
  for (size_t i = 0; i < held.size(); ++i) {
    const std::optional<int> row = held[i] == nullptr ? std::nullopt : RowOf(held[i]);
    after.append(row ? index(*row) : QModelIndex());
  }
  changePersistentIndexList(before, after);
  emit layoutChanged();
}

void ProfileTreeModel::Clear() {
  beginResetModel();
  by_name_.clear();
  nodes_.Clear();
  endResetModel();
}

bool ProfileTreeModel::Append(const std::string& key, const std::string& text) {
  if (nodes_.Contains(key)) return false;
  auto node = std::make_unique<NodeData>();
  node->key = key;
  node->text = text;
  node->shown = QString::fromStdString(ShownName(TreeNode{key, text}));
  node->folded = QString::fromStdString(text).toCaseFolded();
  node->number = key.size() > 1 ? std::strtoll(key.c_str() + 1, nullptr, 10) : 0;
  NodeData* added = node.get();
  const auto place = std::upper_bound(by_name_.begin(), by_name_.end(), added, ByName);
  const int row = report_order_ ? Count() : static_cast<int>(place - by_name_.begin());
  beginInsertRows(QModelIndex(), row, row);
  by_name_.insert(place, added);
  nodes_.Append(key, std::move(node));
  endInsertRows();
  return true;
}

bool ProfileTreeModel::Remove(const std::string& key) {
  NodeData* node = Find(key);
  if (node == nullptr) return false;
  const auto place = std::lower_bound(by_name_.begin(), by_name_.end(), node, ByName);
  const int row = *RowOf(node);
  beginRemoveRows(QModelIndex(), row, row);
  by_name_.erase(place);
  nodes_.Remove(key);
  endRemoveRows();
  return true;
}

bool ProfileTreeModel::SetImage(const std::string& key, int32_t image) {
  NodeData* node = Find(key);
  if (node == nullptr) return false;
  node->image = image;
  EmitChanged(*node, {Qt::DecorationRole, Qt::CheckStateRole, Qt::ToolTipRole, kImageRole});
  return true;
}

bool ProfileTreeModel::SetPending(const std::string& key, bool pending) {
  NodeData* node = Find(key);
  if (node == nullptr) return false;
  if (node->pending == pending) return true;
  node->pending = pending;
  EmitChanged(*node, {Qt::DecorationRole, Qt::FontRole, Qt::ToolTipRole, kPendingRole});
  return true;
}

std::optional<TreeNode> ProfileTreeModel::Node(const std::string& key) const {
  const NodeData* node = Find(key);
  if (node == nullptr) return std::nullopt;
  return TreeNode{node->key, node->text, node->image, node->pending};
}

QModelIndex ProfileTreeModel::IndexOf(const std::string& key) const {
  const NodeData* node = Find(key);
  const std::optional<int> row = node == nullptr ? std::nullopt : RowOf(node);
  return row ? index(*row) : QModelIndex();
}

std::string ProfileTreeModel::KeyAt(const QModelIndex& index) const {
  const NodeData* node = NodeAt(index);
  return node == nullptr ? std::string() : node->key;
}

void ProfileTreeModel::ForEachNode(const std::function<bool(const TreeNode&)>& visit) const {
  nodes_.ForEach([&](const RankedList<std::unique_ptr<NodeData>>::Entry& entry) {
    const NodeData& node = *entry.value;
    return visit(TreeNode{node.key, node.text, node.image, node.pending});
  });
}

ProfileTreeModel::NodeData* ProfileTreeModel::Find(const std::string& key) const {
  const auto* entry = nodes_.Find(key);
  return entry == nullptr ? nullptr : entry->value.get();
}

std::optional<int> ProfileTreeModel::RowOf(const NodeData* node) const {
  if (report_order_) {
    const std::optional<size_t> row = nodes_.RowOf(node->key);
    if (!row) return std::nullopt;
    return static_cast<int>(*row);
  }
  const auto place = std::lower_bound(by_name_.begin(), by_name_.end(), node, ByName);
  if (place == by_name_.end() || *place != node) return std::nullopt;
  return static_cast<int>(place - by_name_.begin());
}

const ProfileTreeModel::NodeData* ProfileTreeModel::NodeAt(const QModelIndex& index) const {
  if (!index.isValid() || index.model() != this || index.parent().isValid() || index.column() != 0 ||
      index.row() >= Count()) {
    return nullptr;
  }
  const auto row = static_cast<size_t>(index.row());
  return report_order_ ? nodes_.At(row)->value.get() : by_name_[row];
}

QIcon ProfileTreeModel::IconFor(const NodeData& node) const {
  int32_t image = node.image;
  if (node.pending && image == kIconEnabled) image = kIconEnabledGrey;
  if (node.pending && image == kIconDisabled) image = kIconDisabledGrey;
  const auto it = icons_.find(image);
  return it == icons_.end() ? QIcon() : it->second;
}

void ProfileTreeModel::EmitChanged(const NodeData& node, const QList<int>& roles) {
  const std::optional<int> row = RowOf(&node);
  if (row) emit dataChanged(index(*row), index(*row), roles);
}

}  // namespace quindo
