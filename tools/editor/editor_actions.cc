// The editor's edits and file operations: selection with the unsaved-changes
// question, field, schedule and calendar edits as undo commands, and save,
// discard, new, duplicate and delete.

#include <QEvent>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidget>
#include <QUndoStack>

#include "common/error.h"
#include "model/calendar/calendar.h"
#include "qt/calendar_view.h"
#include "qt/time_schedule_view.h"
#include "tools/editor/active_now.h"
#include "tools/editor/editor_window.h"
#include "tools/editor/profile_fields.h"
#include "tools/editor/profile_form.h"
#include "tools/editor/profile_list.h"

namespace quindo {

namespace {

QString NameOf(const cProfile& profile) {
  return QStringLiteral("profile '%1'").arg(QString::fromStdString(profile.GetName()));
}

}  // namespace

bool EditorWindow::SelectedHasChanges() const {
  const cProfile* profile = directory_.Find(selected_);
  if (profile == nullptr) return false;
  try {
    return profile->HasChangedSinceLastLoadFromDisk();
  } catch (const Error&) {
    return true;  // no snapshot to compare with: treat as changed, never lose it
  }
}

bool EditorWindow::CalendarHasChanges() const { return calendar_->ToFileBytes() != calendar_saved_bytes_; }

bool EditorWindow::MayLeaveSelected() {
  if (!SelectedHasChanges()) return true;
  switch (save_prompt_(NameOf(*directory_.Find(selected_)))) {
    case SaveChoice::kSave:
      return SaveSelected();
    case SaveChoice::kDiscard:
      return DiscardSelected();
    case SaveChoice::kCancel:
      break;
  }
  return false;
}

bool EditorWindow::MayLeaveCalendar() {
  if (!CalendarHasChanges()) return true;
  switch (save_prompt_(QStringLiteral("calendar %1").arg(calendar_file_.isEmpty() ? QStringLiteral("(no file)")
                                                                                   : calendar_file_))) {
    case SaveChoice::kSave:
      return SaveCalendar();
    case SaveChoice::kDiscard:
      calendar_->FromFileBytes(calendar_saved_bytes_);
      calendar_snapshot_ = calendar_saved_bytes_;
      calendar_view_->Refresh();
      UpdateDirtyMarks();
      return true;
    case SaveChoice::kCancel:
      break;
  }
  return false;
}

bool EditorWindow::SelectProfile(int16_t identity) {
  if (identity == selected_) return true;
  if (!directory_.Contains(identity) || !MayLeaveSelected()) return false;
  undo_->clear();
  selected_ = identity;
  selecting_ = true;
  tree_->setCurrentItem(list_->ItemOf(identity));
  selecting_ = false;
  ShowSelected();
  return true;
}

void EditorWindow::ShowSelected() {
  cProfile* profile = SelectedProfile();
  form_->Show(profile);
  const auto schedule = profile != nullptr ? profile->m_TimeSchedule : nullptr;
  const bool had_changes = SelectedHasChanges();
  schedule_->SetSchedule(schedule);
  // Showing the chart assigns its rows, which the schedule stores: viewing a
  // profile is no edit, so an unchanged profile takes them into its snapshot.
  if (profile != nullptr && !had_changes && SelectedHasChanges()) {
    try {
      profile->RememberOriginalSettings();
    } catch (const Error&) {
    }
  }
  schedule_->setEnabled(schedule != nullptr);
  schedule_snapshot_ = schedule != nullptr ? schedule->ComposePeriodArray() : std::string();
  calendar_view_->SetSchedule(schedule);
  if (profile == nullptr && directory_.Contains(selected_)) {
    statusBar()->showMessage(QString::fromStdString(directory_.Messages(selected_)));
  }
  UpdateDirtyMarks();
}

void EditorWindow::UpdateDirtyMarks() {
  const bool profile_dirty = SelectedHasChanges();
  if (const cProfile* profile = SelectedProfile()) {
    selecting_ = true;
    list_->SetProfile(selected_, *profile, profile_dirty);
    selecting_ = false;
  }
  setWindowModified(profile_dirty || CalendarHasChanges());
}

void EditorWindow::OnCurrentItemChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous) {
  if (selecting_) return;
  const int16_t identity = ProfileList::IdentityOf(current);
  if (identity < 0 || identity == selected_) return;
  if (!SelectProfile(identity)) {
    // Cancelled: the tree goes back to the record still being edited.
    selecting_ = true;
    tree_->setCurrentItem(previous);
    selecting_ = false;
  }
}

void EditorWindow::OnItemChanged(QTreeWidgetItem* item, int column) {
  if (selecting_ || column != 0) return;
  const int16_t identity = ProfileList::IdentityOf(item);
  cProfile* profile = directory_.Find(identity);
  if (profile == nullptr) return;
  const int enabled = item->checkState(0) == Qt::Checked ? -1 : 0;
  if (enabled == (profile->m_Enabled != 0 ? -1 : 0)) return;
  if (identity != selected_ && !SelectProfile(identity)) {
    selecting_ = true;
    item->setCheckState(0, profile->m_Enabled != 0 ? Qt::Checked : Qt::Unchecked);
    selecting_ = false;
    return;
  }
  undo_->push(new FieldEditCommand(*this, identity, FindProfileField(QStringLiteral("Enabled")), enabled));
}

void EditorWindow::OnFieldEdited(int field, const QVariant& value) {
  if (SelectedProfile() == nullptr) return;
  undo_->push(new FieldEditCommand(*this, selected_, field, value));
}

void EditorWindow::ProfileEdited(int16_t identity, int field) {
  if (identity != selected_) return;
  const cProfile* profile = SelectedProfile();
  if (profile == nullptr) return;
  if (field == kScheduleField) {
    schedule_snapshot_ = profile->m_TimeSchedule->ComposePeriodArray();
    schedule_->Refresh();
    calendar_view_->Refresh();
  } else {
    form_->Show(profile);
  }
  UpdateDirtyMarks();
}

bool EditorWindow::eventFilter(QObject* watched, QEvent* event) {
  // A mouse stroke on the chart or the month is one undo step.
  const bool press = event->type() == QEvent::MouseButtonPress;
  const bool release = event->type() == QEvent::MouseButtonRelease;
  if (watched == schedule_->Picture()) {
    if (press) schedule_stroke_ = ++strokes_;
    if (release) QTimer::singleShot(0, this, [this] { schedule_stroke_ = 0; });
  } else if (watched == calendar_view_->PaintArea()) {
    if (press) calendar_stroke_ = ++strokes_;
    if (release) QTimer::singleShot(0, this, [this] { calendar_stroke_ = 0; });
  }
  return QMainWindow::eventFilter(watched, event);
}

void EditorWindow::OnScheduleChanged() {
  const cProfile* profile = SelectedProfile();
  if (profile == nullptr || profile->m_TimeSchedule == nullptr) return;
  std::string after = profile->m_TimeSchedule->ComposePeriodArray();
  if (after == schedule_snapshot_) return;
  std::string before = std::move(schedule_snapshot_);
  schedule_snapshot_ = after;
  undo_->push(new ScheduleEditCommand(*this, selected_, std::move(before), std::move(after), schedule_stroke_));
  calendar_view_->Refresh();
  UpdateDirtyMarks();
}

void EditorWindow::OnCalendarChanged() {
  std::string after = calendar_->ToFileBytes();
  if (after == calendar_snapshot_) return;
  std::string before = std::move(calendar_snapshot_);
  calendar_snapshot_ = after;
  auto apply = [this](const std::string& bytes) {
    calendar_->FromFileBytes(bytes);
    calendar_snapshot_ = bytes;
    calendar_view_->Refresh();
    UpdateDirtyMarks();
  };
  undo_->push(new CalendarEditCommand(apply, std::move(before), std::move(after), calendar_stroke_));
  UpdateDirtyMarks();
}

bool EditorWindow::SaveCalendar() {
  if (calendar_file_.isEmpty()) {
    AppendLog(QStringLiteral("The calendar has no file: start with --calendar FILE or open one to keep it"));
    return false;
  }
  try {
    calendar_->SaveToDisk(calendar_file_.toStdString());
  } catch (const Error& e) {
    AppendLog(QStringLiteral("Calendar %1 not saved: Err:%2 %3")
                  .arg(calendar_file_)
                  .arg(e.Number())
                  .arg(QString::fromStdString(e.Description())));
    return false;
  }
  calendar_saved_bytes_ = calendar_->ToFileBytes();
  UpdateDirtyMarks();
  return true;
}

bool EditorWindow::SaveSelected() {
  bool ok = true;
  if (SelectedHasChanges()) {
    ok = directory_.Save(selected_);
    if (!ok) AppendLog(QStringLiteral("Not saved: %1 keeps its changes").arg(NameOf(*SelectedProfile())));
  }
  if (CalendarHasChanges() && !calendar_file_.isEmpty()) ok = SaveCalendar() && ok;
  if (ok) undo_->clear();
  UpdateDirtyMarks();
  return ok;
}

bool EditorWindow::DiscardSelected() {
  if (SelectedProfile() == nullptr) return false;
  if (!directory_.Reload(selected_)) return false;
  undo_->clear();
  ShowSelected();
  return true;
}

int16_t EditorWindow::NewProfile() {
  if (!MayLeaveSelected()) return -1;
  const int16_t identity = directory_.CreateNew("New profile");
  if (identity < 0) return -1;
  selecting_ = true;
  list_->SetProfile(identity, *directory_.Find(identity), false);
  selecting_ = false;
  SelectProfile(identity);
  return identity;
}

int16_t EditorWindow::DuplicateSelected() {
  if (SelectedProfile() == nullptr || !MayLeaveSelected()) return -1;
  const int16_t identity = directory_.Duplicate(selected_);
  if (identity < 0) return -1;
  selecting_ = true;
  list_->SetProfile(identity, *directory_.Find(identity), false);
  selecting_ = false;
  SelectProfile(identity);
  return identity;
}

bool EditorWindow::DeleteSelected() {
  if (!directory_.Contains(selected_)) return false;
  const cProfile* profile = SelectedProfile();
  const QString what = profile != nullptr ? NameOf(*profile) : QStringLiteral("profile file %1").arg(selected_);
  if (!confirm_prompt_(QStringLiteral("Delete %1?").arg(what))) return false;
  if (!directory_.Remove(selected_)) return false;
  undo_->clear();
  selecting_ = true;
  list_->Remove(selected_);
  selecting_ = false;
  selected_ = -1;
  ShowSelected();
  if (QTreeWidgetItem* current = tree_->currentItem()) SelectProfile(ProfileList::IdentityOf(current));
  return true;
}

}  // namespace quindo

namespace quindo {

QString EditorWindow::ActiveNow(const QDateTime& at) {
  const cProfile* profile = SelectedProfile();
  const QString text = profile != nullptr ? ActiveAtText(*profile, calendar_.get(), at)
                                          : QStringLiteral("Active now? Select a readable profile first");
  AppendLog(text);
  return text;
}

}  // namespace quindo
