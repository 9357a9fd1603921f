#include "qt/profile_tree_widget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyledItemDelegate>

#include "qt/guarded_call.h"
#include "qt/profile_tree_model.h"

namespace quindo {

namespace {

constexpr int16_t kKeySpace = 32;
constexpr int16_t kShiftCtrl = 2;

// Rows carry their enabled state as a check state for accessibility tools;
// the icon already shows it, so no check box is drawn, and the delegate
// never asks the model to change it.
class ProfileRowDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    option->features &= ~QStyleOptionViewItem::HasCheckIndicator;
  }
  bool editorEvent(QEvent*, QAbstractItemModel*, const QStyleOptionViewItem&, const QModelIndex&) override {
    return false;
  }
};

}  // namespace

int16_t MouseButtonCode(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
  }
}

int16_t ShiftStateCode(Qt::KeyboardModifiers modifiers) {
  int16_t shift = 0;
  if (modifiers & Qt::ShiftModifier) shift |= 1;
  if (modifiers & Qt::ControlModifier) shift |= 2;
  if (modifiers & Qt::AltModifier) shift |= 4;
  return shift;
}

ProfileTreeWidget::ProfileTreeWidget(QWidget* parent)
    : QTreeView(parent), nodes_(new ProfileTreeModel(this)) {
  setModel(nodes_);
  setItemDelegate(new ProfileRowDelegate(this));
  setHeaderHidden(true);
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setSelectionMode(QAbstractItemView::SingleSelection);
  // Rows of one height let the view place a row without measuring the others.
  setUniformRowHeights(true);
  setAccessibleName(QStringLiteral("Profiles"));
  setAccessibleDescription(
      QStringLiteral("Ctrl+Space or Ctrl-click asks the server to enable or disable the profile"));
}

void ProfileTreeWidget::mousePressEvent(QMouseEvent* event) {
  pressed_ = true;
  const QPointF at = event->position();
  const int16_t button = MouseButtonCode(event->button());
  const int16_t shift = ShiftStateCode(event->modifiers());
  CallGuarded("TreeView_Profiles_MouseDown", [&] {
    if (on_mouse_down) on_mouse_down(button, shift, static_cast<float>(at.x()), static_cast<float>(at.y()));
  });
  // Qt selects the node under the mouse here, before the click is reported.
  QTreeView::mousePressEvent(event);
}

void ProfileTreeWidget::mouseReleaseEvent(QMouseEvent* event) {
  QTreeView::mouseReleaseEvent(event);
  const bool was_pressed = pressed_;
  pressed_ = false;
  if (was_pressed && viewport()->rect().contains(event->position().toPoint())) {
    CallGuarded("TreeView_Profiles_Click", on_click);
  }
}

void ProfileTreeWidget::keyPressEvent(QKeyEvent* event) {
  if (event->key() != Qt::Key_Space) return QTreeView::keyPressEvent(event);
  const int16_t shift = ShiftStateCode(event->modifiers());
  if (shift == kShiftCtrl && currentIndex().isValid()) {
    // The request is for the selected node, as with a Ctrl-click: the row
    // the keyboard is on becomes the selected one first.
    selectionModel()->select(currentIndex(), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  }
  CallGuarded("TreeView_Profiles_KeyDown", [&] {
    if (on_key_down) on_key_down(kKeySpace, shift);
  });
  if (shift == kShiftCtrl) return event->accept();  // Qt would deselect the row
  QTreeView::keyPressEvent(event);
}

void ProfileTreeWidget::focusInEvent(QFocusEvent* event) {
  QTreeView::focusInEvent(event);
  GiveFocusARow();
}

QItemSelectionModel::SelectionFlags ProfileTreeWidget::selectionCommand(const QModelIndex& index,
                                                                        const QEvent* event) const {
  QItemSelectionModel::SelectionFlags flags = QTreeView::selectionCommand(index, event);
  // In single selection Qt deselects a selected node on Ctrl-click.
  if (index.isValid() && (flags & QItemSelectionModel::Deselect)) {
    return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
  }
  return flags;
}

void ProfileTreeWidget::rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) {
  // Qt would make a neighbour current and, in single selection, select it: a
  // node the user never picked, which a later report would keep selected and
  // a Ctrl-click would act on. The control's tree leaves no node selected.
  const QModelIndex current = currentIndex();
  removed_current_.clear();
  if (current.isValid() && current.parent() == parent && current.row() >= start && current.row() <= end) {
    removed_current_ = nodes_->KeyAt(current);
    selectionModel()->clearCurrentIndex();
  }
  QTreeView::rowsAboutToBeRemoved(parent, start, end);
}

void ProfileTreeWidget::rowsInserted(const QModelIndex& parent, int start, int end) {
  QTreeView::rowsInserted(parent, start, end);
  // A report replaces its node: the keyboard stays on it.
  if (!removed_current_.empty() && !currentIndex().isValid()) {
    const QModelIndex again = nodes_->IndexOf(removed_current_);
    if (again.isValid() && again.row() >= start && again.row() <= end) {
      selectionModel()->setCurrentIndex(again, QItemSelectionModel::NoUpdate);
    }
  }
  removed_current_.clear();
  GiveFocusARow();
}

void ProfileTreeWidget::GiveFocusARow() {
  if (!hasFocus() || currentIndex().isValid() || model()->rowCount() == 0) return;
  selectionModel()->setCurrentIndex(model()->index(0, 0), QItemSelectionModel::NoUpdate);
}

}  // namespace quindo
