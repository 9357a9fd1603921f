// The editor's file operations on profiles and the calendar: save (after
// the edit in progress, the code page and the file on disk are checked),
// discard, new and duplicate drafts, delete, and "Active now?".

#include <QLineEdit>
#include <QTabWidget>
#include <QTreeWidget>
#include <QUndoStack>

#include "common/error.h"
#include "model/calendar/calendar.h"
#include "qt/calendar_view.h"
#include "tools/editor/active_now.h"
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

QString FileOf(int16_t identity) { return QString::fromStdString(cProfile().CreateFileName(identity)); }

}  // namespace

EditorWindow::DiskConflict EditorWindow::AskAboutDiskChange(const QString& file,
                                                            const std::function<void()>& reload) {
  switch (prompts_.choose(DiskChangeQuestion(file))) {
    case 0:
      reload();
      return DiskConflict::kReloaded;
    case 1:
      return DiskConflict::kOverwrite;
    default:
      AppendLog(QStringLiteral("Not saved: %1 changed on disk").arg(file));
      return DiskConflict::kCancelled;
  }
}

bool EditorWindow::SaveCalendar() {
  if (calendar_file_.isEmpty()) {
    Fail(QStringLiteral("The calendar has no file: start with --calendar FILE or open one to keep it"));
    return false;
  }
  if (FileStamp::Of(calendar_file_.toStdString()).Differs(calendar_stamp_)) {
    const DiskConflict answer = AskAboutDiskChange(calendar_file_, [this] { ReadCalendarAgain(); });
    if (answer != DiskConflict::kOverwrite) return answer == DiskConflict::kReloaded;
  }
  try {
    calendar_->SaveToDisk(calendar_file_.toStdString());
  } catch (const Error& e) {
    Fail(QStringLiteral("Calendar %1 not saved: %2").arg(calendar_file_, ErrorText(e)));
    return false;
  }
  calendar_saved_bytes_ = calendar_->ToFileBytes();
  calendar_stamp_ = FileStamp::Of(calendar_file_.toStdString());
  AppendLog(QStringLiteral("Saved the calendar %1").arg(calendar_file_));
  UpdateDirtyMarks();
  return true;
}

bool EditorWindow::SaveSelected() {
  CommitPendingEdit();
  bool ok = true;
  if (SelectedHasChanges()) {
    const cProfile& profile = *SelectedProfile();
    const QString what = NameOf(profile);
    const QString unstorable = UnstorableProfileText(profile);
    DiskConflict conflict = DiskConflict::kOverwrite;
    if (!unstorable.isEmpty()) {
      Fail(QStringLiteral("Not saved: in %1 %2, which the code page of the record files cannot hold")
               .arg(what, unstorable));
      ok = false;
    } else if (directory_.ChangedOnDisk(selected_)) {
      conflict = AskAboutDiskChange(FileOf(selected_), [this] {
        if (directory_.Reload(selected_)) {
          AppendLog(QStringLiteral("Reloaded %1 from disk").arg(FileOf(selected_)));
          ShowSelected();
        }
      });
      ok = conflict != DiskConflict::kCancelled;
    }
    if (ok && conflict == DiskConflict::kOverwrite) {
      const bool draft = directory_.IsDraft(selected_);
      const int16_t key = directory_.Save(selected_);
      if (key == kNoProfile) {
        Fail(QStringLiteral("Not saved: %1 keeps its changes").arg(what));
        ok = false;
      } else {
        if (key != selected_) {
          list_->Rekey(selected_, key);
          selected_ = key;
        }
        AppendLog(QStringLiteral("Saved %1 %2 %3").arg(what, draft ? QStringLiteral("as new file") : QStringLiteral("to"),
                                                       FileOf(key)));
      }
    }
  }
  if (CalendarHasChanges() && !calendar_file_.isEmpty()) ok = SaveCalendar() && ok;
  // The next edit starts a step of its own rather than merging into a saved one.
  if (ok) undo_->setClean();
  UpdateDirtyMarks();
  return ok;
}

bool EditorWindow::DiscardSelected() {
  if (directory_.IsDraft(selected_)) {
    directory_.Remove(selected_);
    selecting_ = true;
    list_->Remove(selected_);
    selecting_ = false;
    selected_ = kNoProfile;
    ShowSelected();
    return true;
  }
  if (SelectedProfile() == nullptr) return false;
  if (!directory_.Reload(selected_)) return false;
  ShowSelected();
  return true;
}

int16_t EditorWindow::ShowDraft(int16_t key) {
  tabs_->setCurrentWidget(profiles_page_);
  selecting_ = true;
  list_->SetProfile(key, *directory_.Find(key), true);
  selecting_ = false;
  SelectProfile(key);
  // The user names a new record first.
  auto* name = qobject_cast<QLineEdit*>(form_->Editor(FindProfileField(QStringLiteral("Name"))));
  name->setFocus();
  name->selectAll();
  return key;
}

int16_t EditorWindow::NewProfile() {
  if (!MayLeaveSelected()) return kNoProfile;
  const int16_t key = ShowDraft(directory_.NewDraft("New profile"));
  AppendLog(QStringLiteral("New profile, disabled: Save writes its file"));
  return key;
}

int16_t EditorWindow::DuplicateSelected() {
  const cProfile* source = SelectedProfile();
  if (source == nullptr || !MayLeaveSelected()) return kNoProfile;
  const QString what = NameOf(*source);
  const int16_t key = directory_.DuplicateAsDraft(selected_);
  if (key == kNoProfile) {
    Fail(QStringLiteral("%1 was not duplicated").arg(what));
    return kNoProfile;
  }
  ShowDraft(key);
  AppendLog(QStringLiteral("Duplicated %1 as a disabled copy: Save writes its file").arg(what));
  return key;
}

bool EditorWindow::DeleteSelected() {
  if (!directory_.Contains(selected_)) return false;
  const cProfile* profile = SelectedProfile();
  const bool draft = directory_.IsDraft(selected_);
  const QString what = profile != nullptr ? NameOf(*profile) : QStringLiteral("profile file %1").arg(selected_);
  Question question;
  question.text = draft ? QStringLiteral("Drop the unsaved %1?").arg(what)
                        : QStringLiteral("Delete %1 and its file %2?").arg(what, FileOf(selected_));
  question.answers = {QStringLiteral("Yes"), QStringLiteral("No")};
  question.default_answer = 1;
  question.cancel_answer = 1;
  if (prompts_.choose(question) != 0) return false;
  if (!directory_.Remove(selected_)) {
    Fail(QStringLiteral("%1 was not deleted: %2 is still there").arg(what, FileOf(selected_)));
    return false;
  }
  AppendLog(draft ? QStringLiteral("Dropped the unsaved %1").arg(what)
                  : QStringLiteral("Deleted %1 (%2)").arg(what, FileOf(selected_)));
  // The record below (or else above) the deleted one is shown next.
  int16_t next = kNoProfile;
  const QTreeWidgetItem* item = list_->ItemOf(selected_);
  for (auto step : {&QTreeWidget::itemBelow, &QTreeWidget::itemAbove}) {
    for (const QTreeWidgetItem* other = (tree_->*step)(item); other != nullptr && next == kNoProfile;
         other = (tree_->*step)(other)) {
      if (directory_.Find(ProfileList::IdentityOf(other)) != nullptr) next = ProfileList::IdentityOf(other);
    }
  }
  selecting_ = true;
  list_->Remove(selected_);
  selecting_ = false;
  selected_ = kNoProfile;
  ShowSelected();
  if (next != kNoProfile) SelectProfile(next);
  return true;
}

QString EditorWindow::ActiveNow(const QDateTime& at) {
  const cProfile* profile = SelectedProfile();
  const QString text = profile != nullptr ? ActiveAtText(*profile, calendar_.get(), at)
                                          : QStringLiteral("Active now? Select a readable profile first");
  AppendLog(text);
  prompts_.notice(QStringLiteral("Active now?"), text);
  return text;
}

}  // namespace quindo
