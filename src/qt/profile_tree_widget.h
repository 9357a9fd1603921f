#pragma once
// The QTreeWidget behind TreeView_Profiles: one header-less column of
// top-level nodes. It turns Qt's mouse events into the control's two tree
// events, the button press with its shift state and the click, and keeps a
// Ctrl-click from deselecting the node it lands on, because the control's
// Ctrl-click toggles the selected node.

#include <cstdint>
#include <functional>

#include <QTreeWidget>

namespace quindo {

// The control's mouse constants: buttons 1 left, 2 right, 4 middle; shift
// state 1 Shift, 2 Ctrl, 4 Alt, added together.
int16_t MouseButtonCode(Qt::MouseButton button);
int16_t ShiftStateCode(Qt::KeyboardModifiers modifiers);

class ProfileTreeWidget : public QTreeWidget {
  Q_OBJECT

 public:
  explicit ProfileTreeWidget(QWidget* parent = nullptr);

  // Both run guarded: an exception goes to ReportError.
  std::function<void(int16_t button, int16_t shift, float x, float y)> on_mouse_down;
  std::function<void()> on_click;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                       const QEvent* event) const override;

 private:
  bool pressed_ = false;
};

}  // namespace quindo
