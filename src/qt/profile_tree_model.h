#pragma once
// The nodes of TreeView_Profiles as a Qt item model: one column of top-level
// rows, each with a key, a text, an image id and a pending mark, shown as the
// text and the image's icon.
//
// Two orders live side by side. The control's tree order is the order of the
// last report of each profile: the name queries follow it, and every report
// moves its node to the end. Shown in that order, a row moves away under the
// operator's pointer whenever the server reports its profile, so the rows
// are shown by name (case-insensitively, then by profile number) unless the
// host asks for the report order. The report order lives in a RankedList (a
// node's rank from its key and the node at a rank in O(log n)); the name
// order in a sorted array, found by binary search.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

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
  // Beside the display, decoration, font, tool tip, check state (the enabled
  // state, read-only) and accessibility roles.
  static constexpr int kKeyRole = Qt::UserRole;
  static constexpr int kImageRole = Qt::UserRole + 1;
  static constexpr int kPendingRole = Qt::UserRole + 2;

  explicit ProfileTreeModel(QObject* parent = nullptr);
  ~ProfileTreeModel() override;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // The icon of each image id; an id without one shows no icon. A pending
  // node shows the grey icon of its state (ids 3 and 4 for 1 and 2).
  void SetIcons(std::map<int32_t, QIcon> icons);
  // Rows in the control's tree order instead of by name. Switching keeps
  // the selection and the current row on their nodes.
  void SetReportOrder(bool report_order);
  bool ReportOrder() const { return report_order_; }

  void Clear();
  // Adds a node after all others in tree order, with image 0; false when the
  // key is in use.
  bool Append(const std::string& key, const std::string& text);
  // False when the key is absent, here and below.
  bool Remove(const std::string& key);
  bool SetImage(const std::string& key, int32_t image);
  bool SetPending(const std::string& key, bool pending);

  std::optional<TreeNode> Node(const std::string& key) const;
  QModelIndex IndexOf(const std::string& key) const;  // invalid when absent
  // The key of the row's node; empty for an index of no node.
  std::string KeyAt(const QModelIndex& index) const;
  int32_t Count() const { return static_cast<int32_t>(nodes_.Size()); }
  // Visits the nodes in tree order until the visitor returns false.
  void ForEachNode(const std::function<bool(const TreeNode&)>& visit) const;

 private:
  struct NodeData;
  static bool ByName(const NodeData* a, const NodeData* b);

  NodeData* Find(const std::string& key) const;
  std::optional<int> RowOf(const NodeData* node) const;
  const NodeData* NodeAt(const QModelIndex& index) const;
  QIcon IconFor(const NodeData& node) const;
  void EmitChanged(const NodeData& node, const QList<int>& roles);

  RankedList<std::unique_ptr<NodeData>> nodes_;  // tree order
  std::vector<NodeData*> by_name_;               // sorted by ByName
  std::map<int32_t, QIcon> icons_;
  bool report_order_ = false;
};

}  // namespace quindo
