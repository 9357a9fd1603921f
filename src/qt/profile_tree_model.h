#pragma once
// The nodes of TreeView_Profiles as a Qt item model: one column of top-level
// rows in tree order, each with a key, a text and an image id, shown as the
// text and the image's icon. Every profile report removes a node and appends
// it again, so rows live in a RankedList: a node's row is found from its key,
// and the node from its row, in O(log n), and neither removal nor append
// shifts the other rows.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include <QAbstractListModel>
#include <QIcon>
#include <QString>

#include "common/export.h"
#include "common/ranked_list.h"
#include "control/child_controls.h"

namespace quindo {

class QUINDO_EXPORT ProfileTreeModel : public QAbstractListModel {
  Q_OBJECT

 public:
  // Beside Qt::DisplayRole (the text) and Qt::DecorationRole (the icon).
  static constexpr int kKeyRole = Qt::UserRole;
  static constexpr int kImageRole = Qt::UserRole + 1;

  explicit ProfileTreeModel(QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;

  // The icon of each image id; an id without one shows no icon.
  void SetIcons(std::map<int32_t, QIcon> icons);
  void Clear();
  // Adds a node after all others, with image 0; false when the key is in use.
  bool Append(const std::string& key, const std::string& text);
  // False when the key is absent, here and below.
  bool Remove(const std::string& key);
  bool SetImage(const std::string& key, int32_t image);

  std::optional<TreeNode> Node(const std::string& key) const;
  QModelIndex IndexOf(const std::string& key) const;  // invalid when absent
  // The key of the row's node; empty for an index of no node.
  std::string KeyAt(const QModelIndex& index) const;
  int32_t Count() const { return static_cast<int32_t>(nodes_.Size()); }
  // Visits the nodes in tree order until the visitor returns false.
  void ForEachNode(const std::function<bool(const TreeNode&)>& visit) const;

 private:
  struct NodeData {
    std::string text;
    QString shown;  // the text as Qt draws it, converted once
    int32_t image = 0;
  };
  const RankedList<NodeData>::Entry* EntryAt(const QModelIndex& index) const;
  QIcon IconFor(int32_t image) const;

  RankedList<NodeData> nodes_;
  std::map<int32_t, QIcon> icons_;
};

}  // namespace quindo
