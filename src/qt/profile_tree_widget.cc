#include "qt/profile_tree_widget.h"

#include <QMouseEvent>

#include "qt/guarded_call.h"
#include "qt/profile_tree_model.h"

namespace quindo {

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
  setHeaderHidden(true);
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setSelectionMode(QAbstractItemView::SingleSelection);
  // Rows of one height let the view place a row without measuring the others.
  setUniformRowHeights(true);
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
  if (current.isValid() && current.parent() == parent && current.row() >= start && current.row() <= end) {
    selectionModel()->clearCurrentIndex();
  }
  QTreeView::rowsAboutToBeRemoved(parent, start, end);
}

}  // namespace quindo
