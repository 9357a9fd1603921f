#pragma once
// The QTreeView behind TreeView_Profiles: one header-less column of top-level
// nodes over its own ProfileTreeModel. It turns Qt's mouse and key events
// into the control's tree events (the button press with its shift state, the
// click, and the key press), and keeps a Ctrl-click from deselecting the
// node it lands on, because the control's Ctrl-click toggles the selected
// node. Removing the current node leaves no node current or selected.
//
// For the keyboard: Ctrl+Space selects the current row and goes to the
// control as its key press (Qt would deselect the row instead); a tree with
// focus always has a current row, where the focus shows, even when the rows
// arrive after the focus; and a row that a report replaces stays current.

#include <cstdint>
#include <functional>
#include <string>

#include <QTreeView>

#include "common/export.h"

namespace quindo {

class ProfileTreeModel;

// The control's mouse and key constants: buttons 1 left, 2 right, 4 middle;
// shift state 1 Shift, 2 Ctrl, 4 Alt, added together; key code 32 Space.
int16_t MouseButtonCode(Qt::MouseButton button);
int16_t ShiftStateCode(Qt::KeyboardModifiers modifiers);

class QUINDO_EXPORT ProfileTreeWidget : public QTreeView {
  Q_OBJECT

 public:
  explicit ProfileTreeWidget(QWidget* parent = nullptr);

  ProfileTreeModel& Nodes() const { return *nodes_; }

  // All run guarded: an exception goes to ReportError.
  std::function<void(int16_t button, int16_t shift, float x, float y)> on_mouse_down;
  std::function<void()> on_click;
  std::function<void(int16_t key_code, int16_t shift)> on_key_down;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                       const QEvent* event) const override;
  void rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) override;
  void rowsInserted(const QModelIndex& parent, int start, int end) override;

 private:
  // With focus and rows but no current row, makes the first row current
  // (not selected), so that the focus frame has somewhere to show.
  void GiveFocusARow();

  ProfileTreeModel* nodes_;
  bool pressed_ = false;
  std::string removed_current_;  // key of the current row just removed
};

}  // namespace quindo
