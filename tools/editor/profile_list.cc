#include "tools/editor/profile_list.h"

#include <QBrush>
#include <QTreeWidget>

#include "model/profile/profile.h"

namespace quindo {

namespace {

constexpr int kUnreadableRole = ProfileList::kIdentityRole + 1;
constexpr int kPathRole = ProfileList::kIdentityRole + 2;

QString PathOf(const QString& name) { return name.toUpper(); }

// A name that ends in "@" (or is empty) still gets a visible row.
QString RowText(const QString& short_name) {
  return short_name.isEmpty() ? QStringLiteral("(no name)") : short_name;
}

}  // namespace

ProfileList::ProfileList(QTreeWidget& tree) : tree_(tree) {}

void ProfileList::Clear() {
  tree_.clear();
  by_identity_.clear();
  by_path_.clear();
}

QString ProfileList::ShortName(const QString& name) {
  const int at = name.lastIndexOf(QLatin1Char('@'));
  return at < 0 ? name : name.mid(at + 1);
}

QString ProfileList::ParentPath(const QString& name) {
  const int at = name.lastIndexOf(QLatin1Char('@'));
  return at < 0 ? QString() : PathOf(name.left(at));
}

QTreeWidgetItem* ProfileList::ParentFor(const QString& parent_path) {
  if (parent_path.isEmpty()) return nullptr;
  if (QTreeWidgetItem* found = by_path_.value(parent_path)) return found;
  // A group node standing for a parent that is no profile (yet).
  auto* group = new QTreeWidgetItem;
  group->setText(0, RowText(ShortName(parent_path)));
  group->setData(0, kIdentityRole, -1);
  group->setData(0, kPathRole, parent_path);
  group->setFlags(Qt::ItemIsEnabled);
  by_path_.insert(parent_path, group);
  Place(group, ParentPath(parent_path));
  return group;
}

void ProfileList::Place(QTreeWidgetItem* item, const QString& parent_path) {
  QTreeWidgetItem* parent = ParentFor(parent_path);
  QTreeWidgetItem* current = item->parent();
  const bool placed = current != nullptr || tree_.indexOfTopLevelItem(item) >= 0;
  if (placed && current == parent) return;
  if (current != nullptr) {
    current->removeChild(item);
  } else if (placed) {
    tree_.takeTopLevelItem(tree_.indexOfTopLevelItem(item));
  }
  if (parent != nullptr) {
    parent->addChild(item);
  } else {
    tree_.addTopLevelItem(item);
  }
}

void ProfileList::SetProfile(int16_t identity, const cProfile& profile, bool dirty) {
  const QString name = QString::fromStdString(profile.GetName());
  const QString path = PathOf(name);
  QTreeWidgetItem* item = ItemOf(identity);
  if (item == nullptr) {
    // A group node already standing for this name becomes the profile's node.
    QTreeWidgetItem* group = by_path_.value(path);
    item = IsGroup(group) ? group : new QTreeWidgetItem;
    by_identity_[identity] = item;
  }
  const QString old_path = item->data(0, kPathRole).toString();
  if (old_path != path && by_path_.value(old_path) == item) {
    by_path_.remove(old_path);
    // Profiles nested under the old name stay there, under a group node.
    if (item->childCount() > 0 && !old_path.isEmpty()) ParentFor(old_path)->addChildren(item->takeChildren());
  }
  item->setData(0, kIdentityRole, int{identity});
  item->setData(0, kUnreadableRole, false);
  item->setData(0, kPathRole, path);
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
  item->setText(0, (dirty ? QStringLiteral("* ") : QString()) + RowText(ShortName(name)));
  item->setToolTip(0, identity >= 0 ? QStringLiteral("%1 (Profile_%2)").arg(name).arg(identity, 4, 10, QLatin1Char('0'))
                                    : QStringLiteral("%1 (not saved yet)").arg(name));
  item->setForeground(0, QBrush());
  item->setCheckState(0, profile.m_Enabled != 0 ? Qt::Checked : Qt::Unchecked);
  QTreeWidgetItem* old_parent = item->parent();
  Place(item, ParentPath(name));
  if (old_parent != item->parent()) Prune(old_parent);
  // A group standing for the new name hands its profiles to this node.
  QTreeWidgetItem* standing = by_path_.value(path);
  if (IsGroup(standing) && standing != item) {
    QTreeWidgetItem* parent = standing->parent();
    item->addChildren(standing->takeChildren());
    by_path_.remove(path);
    delete standing;
    Prune(parent);
  }
  // A second profile of the same name keeps the first's entry.
  if (!by_path_.contains(path)) by_path_.insert(path, item);
}

void ProfileList::SetUnreadable(int16_t identity, const std::string& file_name, const std::string& messages) {
  QTreeWidgetItem* item = ItemOf(identity);
  if (item == nullptr) {
    item = new QTreeWidgetItem;
    by_identity_[identity] = item;
    tree_.addTopLevelItem(item);
  }
  const QString file = QString::fromStdString(file_name);
  item->setData(0, kIdentityRole, int{identity});
  item->setData(0, kUnreadableRole, true);
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  item->setText(0, file.mid(file.lastIndexOf(QLatin1Char('/')) + 1) + QStringLiteral(" (unreadable)"));
  item->setToolTip(0, QString::fromStdString(messages));
  item->setForeground(0, QBrush(Qt::gray));
}

void ProfileList::Remove(int16_t identity) {
  const auto found = by_identity_.find(identity);
  if (found == by_identity_.end()) return;
  QTreeWidgetItem* item = found->second;
  by_identity_.erase(found);
  if (item->childCount() > 0) {
    // Its nested profiles stay; the node becomes their group.
    item->setData(0, kIdentityRole, -1);
    item->setData(0, kUnreadableRole, false);
    item->setData(0, Qt::CheckStateRole, QVariant());
    item->setFlags(Qt::ItemIsEnabled);
    item->setText(0, RowText(ShortName(item->data(0, kPathRole).toString())));
    return;
  }
  const QString path = item->data(0, kPathRole).toString();
  if (by_path_.value(path) == item) by_path_.remove(path);
  QTreeWidgetItem* parent = item->parent();
  delete item;  // a QTreeWidgetItem leaves its parent and tree when deleted
  Prune(parent);
}

void ProfileList::Rekey(int16_t from, int16_t to) {
  const auto found = by_identity_.find(from);
  if (found == by_identity_.end()) return;
  QTreeWidgetItem* item = found->second;
  by_identity_.erase(found);
  by_identity_[to] = item;
  item->setData(0, kIdentityRole, int{to});
}

bool ProfileList::IsGroup(const QTreeWidgetItem* item) {
  return item != nullptr && item->data(0, kIdentityRole).toInt() == -1 && !IsUnreadable(item);
}

void ProfileList::Prune(QTreeWidgetItem* node) {
  while (IsGroup(node) && node->childCount() == 0) {
    QTreeWidgetItem* parent = node->parent();
    const QString path = node->data(0, kPathRole).toString();
    if (by_path_.value(path) == node) by_path_.remove(path);
    delete node;
    node = parent;
  }
}

QTreeWidgetItem* ProfileList::ItemOf(int16_t identity) const {
  const auto found = by_identity_.find(identity);
  return found == by_identity_.end() ? nullptr : found->second;
}

int16_t ProfileList::IdentityOf(const QTreeWidgetItem* item) {
  if (item == nullptr) return -1;
  bool ok = false;
  const int identity = item->data(0, kIdentityRole).toInt(&ok);
  return ok ? static_cast<int16_t>(identity) : -1;
}

bool ProfileList::IsUnreadable(const QTreeWidgetItem* item) {
  return item != nullptr && item->data(0, kUnreadableRole).toBool();
}

}  // namespace quindo
