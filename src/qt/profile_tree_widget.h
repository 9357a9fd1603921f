#pragma once
// The QTreeView behind TreeView_Profiles: one header-less column of top-level
// nodes over its own ProfileTreeModel. It turns Qt's mouse events into the
// control's two tree events, the button press with its shift state and the
// click, and keeps a Ctrl-click from deselecting the node it lands on,
// because the control's Ctrl-click toggles the selected node. Removing the
// current node leaves no node current or selected.

#include <cstdint>
#include <functional>

#include <QTreeView>

#include "common/export.h"

namespace quindo {

class ProfileTreeModel;

// The control's mouse constants: buttons 1 left, 2 right, 4 middle; shift
// state 1 Shift, 2 Ctrl, 4 Alt, added together.
int16_t MouseButtonCode(Qt::MouseButton button);
int16_t ShiftStateCode(Qt::KeyboardModifiers modifiers);

class QUINDO_EXPORT ProfileTreeWidget : public QTreeView {
  Q_OBJECT

 public:
  explicit ProfileTreeWidget(QWidget* parent = nullptr);

  ProfileTreeModel& Nodes() const { return *nodes_; }

  // Both run guarded: an exception goes to ReportError.
  std::function<void(int16_t button, int16_t shift, float x, float y)> on_mouse_down;
  std::function<void()> on_click;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                       const QEvent* event) const override;
  void rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) override;

 private:
  ProfileTreeModel* nodes_;
  bool pressed_ = false;
};

}  // namespace quindo
