#pragma once
// The list of the directory's profiles in a QTreeWidget, nested by the "@"
// of their names: "Plant@Hall@Night" sits under "Plant@Hall", which sits
// under "Plant" (compared in upper case, as the parent names are). A parent
// that is no profile of its own appears as a plain group node. Each profile
// node has its enabled flag as a check box, a "*" while it has unsaved
// changes, and an unreadable file is listed greyed out with its message.
// Group nodes that no longer hold anything go, so a name typed letter by
// letter ("Plant@" on the way to "Plant@Hall") leaves no empty rows. Keys
// are the directory's: identities, and the draft keys of unsaved profiles.

#include <cstdint>
#include <string>
#include <unordered_map>

#include <QHash>
#include <QString>

class QTreeWidget;
class QTreeWidgetItem;

namespace quindo {

class cProfile;

class ProfileList {
 public:
  static constexpr int kIdentityRole = 0x0100 + 1;  // Qt::UserRole + 1

  explicit ProfileList(QTreeWidget& tree);

  void Clear();
  // Adds or updates the node of a loaded profile (moving it when its parent
  // changed) or of an unreadable file.
  void SetProfile(int16_t identity, const cProfile& profile, bool dirty);
  void SetUnreadable(int16_t identity, const std::string& file_name, const std::string& messages);
  void Remove(int16_t identity);
  // A draft saved under its identity keeps its node.
  void Rekey(int16_t from, int16_t to);

  QTreeWidgetItem* ItemOf(int16_t identity) const;
  // -1 for group nodes and none.
  static int16_t IdentityOf(const QTreeWidgetItem* item);
  static bool IsUnreadable(const QTreeWidgetItem* item);
  int ProfileCount() const { return static_cast<int>(by_identity_.size()); }

  // The last part of a name after its final "@", and the upper-case path of
  // its parent ("" at the top).
  static QString ShortName(const QString& name);
  static QString ParentPath(const QString& name);

 private:
  QTreeWidgetItem* ParentFor(const QString& parent_path);
  void Place(QTreeWidgetItem* item, const QString& parent_path);
  static bool IsGroup(const QTreeWidgetItem* item);
  // Deletes the node and its parents while they are empty groups.
  void Prune(QTreeWidgetItem* node);

  QTreeWidget& tree_;
  std::unordered_map<int16_t, QTreeWidgetItem*> by_identity_;
  // Upper-case full name -> node, profiles and groups alike.
  QHash<QString, QTreeWidgetItem*> by_path_;
};

}  // namespace quindo
