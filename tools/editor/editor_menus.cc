// The menus, undo and redo across records, and the Save key.

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QTabWidget>
#include <QUndoStack>

#include "tools/editor/editor_window.h"
#include "tools/editor/receiver_pane.h"

namespace quindo {

void EditorWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  file->addAction(QStringLiteral("&Open data directory..."), QKeySequence::Open, this, [this] {
    const QString dir = QFileDialog::getExistingDirectory(this, QStringLiteral("Data directory"), directory_path_);
    if (!dir.isEmpty()) OpenDirectory(dir);
  });
  file->addAction(QStringLiteral("Open &calendar..."), this, [this] {
    const QString name = QFileDialog::getSaveFileName(this, QStringLiteral("Calendar file"), directory_path_,
                                                      QString(), nullptr, QFileDialog::DontConfirmOverwrite);
    if (!name.isEmpty() && MayLeaveCalendar()) OpenCalendar(name);
  });
  file->addSeparator();
  file->addAction(QStringLiteral("&New profile"), QKeySequence::New, this, [this] { NewProfile(); });
  file->addAction(QStringLiteral("New &receiver"), this, [this] {
    tabs_->setCurrentWidget(receivers_);
    receivers_->NewReceiver();
  });
  file->addAction(QStringLiteral("D&uplicate profile"), this, [this] { DuplicateSelected(); });
  file->addAction(QStringLiteral("&Delete profile"), this, [this] { DeleteSelected(); });
  file->addAction(QStringLiteral("Delete receiver"), this, [this] { receivers_->DeleteSelected(); });
  file->addSeparator();
  // Import and Export act on the tab in front: a profile or a receiver.
  const QString json_filter = QStringLiteral("JSON (*.json);;All files (*)");
  file->addAction(QStringLiteral("&Import JSON..."), this, [this, json_filter] {
    const QString name = QFileDialog::getOpenFileName(this, QStringLiteral("Import"), directory_path_, json_filter);
    if (name.isEmpty()) return;
    if (ReceiversShown()) {
      receivers_->ImportReceiver(name);
    } else {
      ImportProfile(name);
    }
  });
  file->addAction(QStringLiteral("&Export JSON..."), this, [this, json_filter] {
    const bool receiver = ReceiversShown();
    const QString suggested = receiver ? receivers_->SuggestedExportFile(directory_path_) : SuggestedExportFile();
    const QString name = QFileDialog::getSaveFileName(this, QStringLiteral("Export"), suggested, json_filter);
    if (name.isEmpty()) return;
    if (receiver) {
      receivers_->ExportSelected(name);
    } else {
      ExportSelected(name);
    }
  });
  file->addSeparator();
  // Save and Discard act on the tab in front.
  file->addAction(QStringLiteral("&Save"), QKeySequence::Save, this, [this] { SaveFrontTab(); });
  file->addAction(QStringLiteral("Disca&rd changes"), this,
                  [this] { ReceiversShown() ? receivers_->DiscardSelected() : DiscardSelected(); });
  file->addSeparator();
  file->addAction(QStringLiteral("&Quit"), QKeySequence::Quit, this, &QWidget::close);

  QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
  undo_action_ = edit->addAction(QStringLiteral("&Undo"), this, [this] { StepUndo(true); });
  undo_action_->setShortcut(QKeySequence(QStringLiteral("Ctrl+Z")));
  redo_action_ = edit->addAction(QStringLiteral("&Redo"), this, [this] { StepUndo(false); });
  redo_action_->setShortcuts({QKeySequence(QStringLiteral("Ctrl+Shift+Z")), QKeySequence(QStringLiteral("Ctrl+Y"))});
  undo_action_->setEnabled(false);
  redo_action_->setEnabled(false);
  connect(undo_, &QUndoStack::canUndoChanged, undo_action_, &QAction::setEnabled);
  connect(undo_, &QUndoStack::canRedoChanged, redo_action_, &QAction::setEnabled);
  connect(undo_, &QUndoStack::undoTextChanged, this,
          [this](const QString& text) { undo_action_->setText(QStringLiteral("&Undo %1").arg(text)); });
  connect(undo_, &QUndoStack::redoTextChanged, this,
          [this](const QString& text) { redo_action_->setText(QStringLiteral("&Redo %1").arg(text)); });

  QMenu* profile = menuBar()->addMenu(QStringLiteral("&Profile"));
  profile->addAction(QStringLiteral("&Active now?"), this, [this] { ActiveNow(QDateTime::currentDateTime()); });
}

void EditorWindow::StepUndo(bool back) {
  CommitPendingEdit();
  const int at = back ? undo_->index() - 1 : undo_->index();
  if (at < 0 || at >= undo_->count()) return;
  const auto* command = dynamic_cast<const PlacedCommand*>(undo_->command(at));
  if (command != nullptr && !GoTo(command->Place())) return;
  if (back) {
    undo_->undo();
  } else {
    undo_->redo();
  }
}

bool EditorWindow::GoTo(const EditPlace& place) {
  switch (place.kind) {
    case EditPlace::Kind::kProfile: {
      tabs_->setCurrentWidget(profiles_page_);
      const int16_t key = directory_.Resolve(place.key);
      // A record that is gone takes nothing back; its command changes nothing.
      return !directory_.Contains(key) || SelectProfile(key);
    }
    case EditPlace::Kind::kCalendar:
      tabs_->setCurrentWidget(profiles_page_);
      return true;
    case EditPlace::Kind::kReceiver:
      tabs_->setCurrentWidget(receivers_);
      return !receivers_->Records().Contains(place.key) || receivers_->Select(place.key);
  }
  return true;
}

void EditorWindow::SaveFrontTab() {
  CommitPendingEdit();
  if (ReceiversShown()) {
    receivers_->SaveSelected();
  } else {
    SaveSelected();
  }
}

void EditorWindow::CommitPendingEdit() {
  QWidget* focus = QApplication::focusWidget();
  if (focus == nullptr) return;
  auto* spin = qobject_cast<QAbstractSpinBox*>(focus);
  if (spin == nullptr) spin = qobject_cast<QAbstractSpinBox*>(focus->parentWidget());
  if (spin != nullptr) spin->interpretText();
  // An editor open in a list or table is a child of the view's viewport.
  for (QWidget* editor = focus; editor != nullptr && editor->parentWidget() != nullptr;
       editor = editor->parentWidget()) {
    auto* view = qobject_cast<QAbstractItemView*>(editor->parentWidget()->parentWidget());
    if (view != nullptr && editor->parentWidget() == view->viewport() && editor != view->viewport()) {
      emit view->itemDelegate()->commitData(editor);
      return;
    }
  }
  if (spin == nullptr) {
    if (auto* line = qobject_cast<QLineEdit*>(focus)) emit line->editingFinished();
  }
}

}  // namespace quindo
