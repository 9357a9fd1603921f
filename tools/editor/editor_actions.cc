// The editor's selection and edits: the unsaved-changes question, the tree
// kept on the record in the form, field, schedule and calendar edits as
// undo commands, typed times and the chart's Grouped Monday-Friday.

#include <QAction>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidget>
#include <QUndoStack>

#include "common/error.h"
#include "common/settings.h"
#include "model/calendar/calendar.h"
#include "model/schedule/time_text.h"
#include "qt/calendar_view.h"
#include "qt/time_schedule_view.h"
#include "tools/editor/editor_checks.h"
#include "tools/editor/editor_window.h"
#include "tools/editor/profile_fields.h"
#include "tools/editor/profile_form.h"
#include "tools/editor/profile_list.h"

namespace quindo {

namespace {

QString NameOf(const cProfile& profile) {
  return QStringLiteral("profile '%1'").arg(QString::fromStdString(profile.GetName()));
}

constexpr int kLastWorkingDay = 4;

QString PeriodsText(const std::vector<PeriodRef>& periods) {
  QStringList spans;
  for (const PeriodRef& p : periods) {
    spans << QString::fromStdString(TimeText(p->m_StartMinute) + "-" + TimeText(p->m_StopMinute));
  }
  return spans.isEmpty() ? QStringLiteral("no periods") : spans.join(QStringLiteral(", "));
}

bool SamePeriods(const std::vector<PeriodRef>& a, const std::vector<PeriodRef>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i]->m_StartMinute != b[i]->m_StartMinute || a[i]->m_StopMinute != b[i]->m_StopMinute) return false;
  }
  return true;
}

}  // namespace

bool EditorWindow::SelectedHasChanges() const {
  if (directory_.IsDraft(selected_)) return true;
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
  switch (prompts_.save(NameOf(*directory_.Find(selected_)))) {
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
  switch (prompts_.save(QStringLiteral("calendar %1").arg(calendar_file_.isEmpty() ? QStringLiteral("(no file)")
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

bool EditorWindow::SelectProfile(int16_t key) {
  key = directory_.Resolve(key);
  if (key == selected_) {
    SyncTree();
    return true;
  }
  if (!directory_.Contains(key) || !MayLeaveSelected()) {
    SyncTree();
    return false;
  }
  selected_ = key;
  ShowSelected();
  return true;
}

void EditorWindow::ShowSelected() {
  cProfile* profile = SelectedProfile();
  form_->Show(profile);
  form_scroll_->verticalScrollBar()->setValue(0);
  const auto schedule = profile != nullptr ? profile->m_TimeSchedule : nullptr;
  // A new selection starts with empty Start and Stop boxes and no period
  // chosen, so that nothing typed lands on a period chosen before.
  if (schedule != nullptr) {
    schedule->SetSelectedPeriod(nullptr);
    schedule->SetSelectedDayType(-1);
  }
  schedule_->StartField()->clear();
  schedule_->StopField()->clear();
  typed_times_.reset();
  typed_time_note_->clear();
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
  SyncTree();
  UpdateTitle();
  // Whatever marks a record changed may change the directory's answers.
  answers_timer_->start();
}

void EditorWindow::SyncTree() {
  QTreeWidgetItem* item = list_->ItemOf(selected_);
  selecting_ = true;
  if (item != nullptr) {
    for (QTreeWidgetItem* parent = item->parent(); parent != nullptr; parent = parent->parent()) {
      parent->setExpanded(true);
    }
    tree_->setCurrentItem(item);
    tree_->scrollToItem(item);
  } else {
    tree_->setCurrentItem(nullptr);
    tree_->clearSelection();
  }
  selecting_ = false;
}

void EditorWindow::OnCurrentItemChanged(QTreeWidgetItem* current, QTreeWidgetItem*) {
  if (selecting_) return;
  const int16_t key = ProfileList::IdentityOf(current);
  if (key == kNoProfile || key == selected_) return;
  // A cancelled change goes back to the record still being edited; a mouse
  // press selects its row after this, so the tree is set again afterwards.
  if (!SelectProfile(key)) QTimer::singleShot(0, this, [this] { SyncTree(); });
}

void EditorWindow::OnItemChanged(QTreeWidgetItem* item, int column) {
  if (selecting_ || column != 0) return;
  const int16_t key = ProfileList::IdentityOf(item);
  cProfile* profile = directory_.Find(key);
  if (profile == nullptr) return;
  const int enabled = item->checkState(0) == Qt::Checked ? -1 : 0;
  if (enabled == (profile->m_Enabled != 0 ? -1 : 0)) return;
  if (key != selected_ && !SelectProfile(key)) {
    selecting_ = true;
    item->setCheckState(0, profile->m_Enabled != 0 ? Qt::Checked : Qt::Unchecked);
    selecting_ = false;
    return;
  }
  undo_->push(new FieldEditCommand(*this, key, FindProfileField(QStringLiteral("Enabled")), enabled));
}

void EditorWindow::OnFieldEdited(int field, const QVariant& value) {
  if (SelectedProfile() == nullptr) return;
  undo_->push(new FieldEditCommand(*this, selected_, field, value));
}

void EditorWindow::ProfileEdited(int16_t key, int field) {
  if (directory_.Resolve(key) != selected_) return;
  const cProfile* profile = SelectedProfile();
  if (profile == nullptr) return;
  const bool whole = field == kWholeProfile;
  if (whole || field == kScheduleField || ProfileFields().at(field).in_schedule) {
    // A replaced profile has a new schedule object; a changed one new rows.
    if (whole) {
      schedule_->SetSchedule(profile->m_TimeSchedule);
      calendar_view_->SetSchedule(profile->m_TimeSchedule);
    } else {
      schedule_->Refresh();
      calendar_view_->Refresh();
    }
    schedule_snapshot_ = profile->m_TimeSchedule->ComposePeriodArray();
  }
  if (field != kScheduleField) form_->Show(profile);
  UpdateDirtyMarks();
}

bool EditorWindow::eventFilter(QObject* watched, QEvent* event) {
  // A mouse stroke on the chart or the month is one undo step.
  const bool press = event->type() == QEvent::MouseButtonPress;
  const bool release = event->type() == QEvent::MouseButtonRelease;
  if (watched == schedule_->Picture()) {
    if (press) {
      schedule_stroke_ = ++strokes_;
      typed_time_note_->clear();
    }
    if (release) QTimer::singleShot(0, this, [this] { schedule_stroke_ = 0; });
  } else if (watched == calendar_view_->PaintArea()) {
    if (press) calendar_stroke_ = ++strokes_;
    if (release) QTimer::singleShot(0, this, [this] { calendar_stroke_ = 0; });
  } else if (watched == schedule_->PopupMenu()) {
    // Grouped Monday-Friday, chosen by mouse or key, asks first when it
    // would overwrite periods; the menu closes and the item runs after.
    QMenu* menu = schedule_->PopupMenu();
    QAction* group = schedule_->GroupedMonFriAction();
    const auto* key = event->type() == QEvent::KeyPress ? static_cast<QKeyEvent*>(event) : nullptr;
    const bool chosen =
        (release && menu->actionAt(static_cast<QMouseEvent*>(event)->position().toPoint()) == group) ||
        (key != nullptr && menu->activeAction() == group &&
         (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Space));
    if (chosen && group->isEnabled()) {
      menu->hide();
      QTimer::singleShot(0, this, [this, group] {
        if (ConfirmGroupMonFri()) group->trigger();
      });
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

bool EditorWindow::ConfirmGroupMonFri() {
  const auto schedule = schedule_->Schedule();
  // Checked, the item ungroups every day type and changes no period.
  if (schedule == nullptr || schedule_->GroupedMonFriAction()->isChecked()) return true;
  QStringList overwritten;
  for (int16_t d = 1; d <= kLastWorkingDay; ++d) {
    if (SamePeriods(schedule->Periods(d), schedule->Periods(0))) continue;
    overwritten << QStringLiteral("%1 (%2)").arg(DayTypeName(d), PeriodsText(schedule->Periods(d)));
  }
  if (overwritten.isEmpty()) return true;
  Question question;
  question.text = QStringLiteral("Grouping Monday to Friday gives %1 the periods of %2 (%3), replacing their own.")
                      .arg(overwritten.join(QStringLiteral(", ")), DayTypeName(0), PeriodsText(schedule->Periods(0)));
  question.answers = {QStringLiteral("Group and replace"), QStringLiteral("Cancel")};
  question.default_answer = 1;
  question.cancel_answer = 1;
  return prompts_.choose(question) == 0;
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

void EditorWindow::OnTypedTime() {
  if (!typed_times_) return;
  const auto [start, stop] = *typed_times_;
  typed_times_.reset();
  const auto schedule = schedule_->Schedule();
  // Without a chosen period the chart took nothing.
  const bool taken = schedule != nullptr && schedule->SelectedPeriod() != nullptr && schedule->SelectedDayType() >= 0;
  typed_time_note_->setText(taken ? TypedTimeNote(start, stop) : QString());
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

}  // namespace quindo
