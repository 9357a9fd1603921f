// The Qt tree against the in-memory tree: the same sequence of adds, reports
// (remove + add at the end), selections and removals on both, compared after
// every step, so that the widget keeps the order and the selection the
// control relies on. Then what only the Qt tree has: the current row a click
// or keyboard focus leaves, icons, and scrolling into view.

#include <QItemSelectionModel>
#include <QTest>

#include <optional>
#include <string>
#include <vector>

#include "common/error.h"
#include "control/memory_tree_view.h"
#include "qt/profile_tree_model.h"
#include "qt/profile_tree_widget.h"
#include "qt/qt_tree_view.h"

using quindo::MemoryTreeView;
using quindo::ProfileTreeWidget;
using quindo::QtTreeView;
using quindo::TreeNode;
using quindo::TreeView;

namespace {

std::vector<std::string> Keys(const TreeView& tree) {
  std::vector<std::string> keys;
  tree.ForEachNode([&](const TreeNode& node) {
    keys.push_back(node.key + "=" + node.text + "/" + std::to_string(node.image));
    return true;
  });
  return keys;
}

// The control's node update: remember the selection, move the node to the
// end, select it again.
void Report(TreeView& tree, const std::string& key, const std::string& text, int image) {
  const bool selected = tree.SelectedKey() == key;
  if (tree.Contains(key)) tree.Remove(key);
  tree.Add(key, text);
  tree.SetImage(key, image);
  if (selected) {
    tree.Select(key);
    tree.EnsureVisible(key);
  }
}

}  // namespace

class QtTreeViewTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<ProfileTreeWidget> widget_;
  std::unique_ptr<QtTreeView> qt_;

  QModelIndex Row(int row) const { return widget_->model()->index(row, 0); }

 private Q_SLOTS:
  void init() {
    widget_ = std::make_unique<ProfileTreeWidget>();
    widget_->resize(200, 120);
    qt_ = std::make_unique<QtTreeView>(widget_.get());
    qt_->SetIcons(quindo::IconSet{});
    widget_->show();
    QVERIFY(QTest::qWaitForWindowExposed(widget_.get()));
  }
  void cleanup() {
    qt_.reset();
    widget_.reset();
  }

  void bothTreesAgreeOnOrderAndSelectionThroughReportsAndRemovals() {
    MemoryTreeView memory;
    std::vector<TreeView*> trees{&memory, qt_.get()};
    const auto same = [&](const char* step) {
      QVERIFY2(Keys(memory) == Keys(*qt_), step);
      QVERIFY2(memory.SelectedKey() == qt_->SelectedKey(), step);
      QCOMPARE(memory.Count(), qt_->Count());
    };
    for (TreeView* tree : trees) {
      for (int i = 1; i <= 6; ++i) Report(*tree, "K" + std::to_string(i), "P" + std::to_string(i), i % 2 + 1);
      tree->Select("K3");
    }
    same("filled, K3 selected");
    for (TreeView* tree : trees) Report(*tree, "K3", "P3 again", 1);
    same("the selected node reported again");
    QCOMPARE(qt_->SelectedKey(), std::optional<std::string>("K3"));
    for (TreeView* tree : trees) tree->Remove("K3");
    same("the selected node removed");
    QCOMPARE(qt_->SelectedKey(), std::nullopt);
    for (TreeView* tree : trees) {
      Report(*tree, "K4", "P4", 2);  // the neighbour was never selected
      tree->Select("K1");
      tree->Remove("K2");  // a node below the selection
      Report(*tree, "K5", "P5", 1);
    }
    same("another node removed under the selection");
    QCOMPARE(qt_->SelectedKey(), std::optional<std::string>("K1"));
    for (TreeView* tree : trees) {
      tree->Select("K4");  // the last row
      tree->Remove("K4");
    }
    same("the last node removed while selected");
    for (TreeView* tree : trees) {
      QVERIFY_THROWS_EXCEPTION(quindo::Error, tree->Add("K1", "twice"));
      QVERIFY_THROWS_EXCEPTION(quindo::Error, tree->Remove("K99"));
      QVERIFY_THROWS_EXCEPTION(quindo::Error, tree->Select("K99"));
      QVERIFY_THROWS_EXCEPTION(quindo::Error, tree->Node("K99"));
    }
    same("failed calls change nothing");
    for (TreeView* tree : trees) tree->Clear();
    same("cleared");
  }

  void removingTheRowTheUserMadeCurrentSelectsNoNeighbour() {
    for (int i = 1; i <= 4; ++i) qt_->Add("K" + std::to_string(i), "P" + std::to_string(i));
    // A click: current and selected.
    QTest::mouseClick(widget_->viewport(), Qt::LeftButton, {}, widget_->visualRect(Row(1)).center());
    QCOMPARE(qt_->SelectedKey(), std::optional<std::string>("K2"));
    qt_->Remove("K2");
    QCOMPARE(qt_->SelectedKey(), std::nullopt);
    QVERIFY(!widget_->currentIndex().isValid());
    // Keyboard focus: current without a selection.
    widget_->selectionModel()->setCurrentIndex(Row(0), QItemSelectionModel::NoUpdate);
    qt_->Remove("K1");
    QCOMPARE(qt_->SelectedKey(), std::nullopt);
    QCOMPARE(widget_->selectionModel()->selectedIndexes().size(), 0);
  }

  // Rows are shown by name, so a report leaves its row where it is; in the
  // report order the reported row moves to the end and, selected, is
  // scrolled into view.
  void rowsShowTextAndIconInNameOrderOrInReportOrder() {
    for (int i = 1; i <= 200; ++i) {
      qt_->Add("K" + std::to_string(i), "Profile " + std::to_string(i));
      qt_->SetImage("K" + std::to_string(i), i == 1 ? 1 : 2);
    }
    qt_->Add("K0", "");
    qt_->Add("K1000", "profile 1");  // one name, case aside: by number
    qt_->Add("K999", "PROFILE 1");
    qt_->SetImage("K2", 7);  // no icon for an unknown id
    auto& nodes = widget_->Nodes();
    QCOMPARE(nodes.IndexOf("K999").row(), nodes.IndexOf("K1000").row() - 1);
    qt_->Remove("K999");
    qt_->Remove("K1000");
    const QModelIndex k2 = nodes.IndexOf("K2");
    QCOMPARE(Row(0).data().toString(), QStringLiteral("(no name) K0"));
    QCOMPARE(Row(1).data().toString(), QStringLiteral("Profile 1"));
    QCOMPARE(Row(2).data().toString(), QStringLiteral("Profile 10"));
    QVERIFY(!Row(1).data(Qt::DecorationRole).value<QIcon>().isNull());
    QVERIFY(k2.data(Qt::DecorationRole).value<QIcon>().isNull());

    qt_->Select("K150");
    Report(*qt_, "K150", "Profile 150", 1);
    QCOMPARE(nodes.IndexOf("K150").row(), nodes.IndexOf("K151").row() - 1);
    QCOMPARE(qt_->SelectedKey(), std::optional<std::string>("K150"));

    nodes.SetReportOrder(true);  // the selection stays on its node
    QCOMPARE(qt_->SelectedKey(), std::optional<std::string>("K150"));
    QCOMPARE(Row(200).data().toString(), QStringLiteral("Profile 150"));
    qt_->Select("K3");
    Report(*qt_, "K3", "Profile 3", 1);
    QTest::qWait(10);
    QCOMPARE(Row(200).data().toString(), QStringLiteral("Profile 3"));
    QVERIFY(widget_->viewport()->rect().contains(widget_->visualRect(Row(200))));
    QVERIFY(widget_->selectionModel()->isSelected(Row(200)));
  }
};

QTEST_MAIN(QtTreeViewTest)
#include "qt_tree_view_test.moc"
