// The data directory and the calendar on disk: the window watches them and
// reads again what another program changed, unless the user is editing it
// (then Save asks what to do), with a line in the log for each.

#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QTimer>

#include "common/error.h"
#include "model/calendar/calendar.h"
#include "model/profile/profile_naming.h"
#include "qt/calendar_view.h"
#include "tools/editor/editor_checks.h"
#include "tools/editor/editor_window.h"
#include "tools/editor/profile_list.h"

namespace quindo {

namespace {

// Changes come in bursts (a save writes a temporary file, then renames it).
constexpr int kSettleMs = 150;

QString FileOf(int16_t identity) { return QString::fromStdString(cProfile().CreateFileName(identity)); }

}  // namespace

void EditorWindow::WatchFiles() {
  if (watcher_ == nullptr) {
    watcher_ = new QFileSystemWatcher(this);
    disk_settle_ = new QTimer(this);
    disk_settle_->setSingleShot(true);
    disk_settle_->setInterval(kSettleMs);
    connect(disk_settle_, &QTimer::timeout, this, &EditorWindow::OnDiskChanged);
    connect(watcher_, &QFileSystemWatcher::directoryChanged, disk_settle_, qOverload<>(&QTimer::start));
    connect(watcher_, &QFileSystemWatcher::fileChanged, disk_settle_, qOverload<>(&QTimer::start));
  }
  const QStringList watched = watcher_->files() + watcher_->directories();
  if (!watched.isEmpty()) watcher_->removePaths(watched);
  QStringList paths;
  if (!directory_path_.isEmpty()) {
    paths << directory_path_ << QString::fromStdString(ProfilesDirectory());
  }
  if (!calendar_file_.isEmpty()) {
    // A file replaced by a rename loses its watch; its folder sees the rename.
    paths << calendar_file_ << QFileInfo(calendar_file_).absolutePath();
  }
  paths.removeDuplicates();
  paths.removeIf([](const QString& path) { return !QFileInfo::exists(path); });
  if (!paths.isEmpty()) watcher_->addPaths(paths);
}

void EditorWindow::OnDiskChanged() {
  if (Loading()) disk_changed_while_loading_ = true;
  RefreshFromDisk();
  RefreshCalendarFromDisk();
  WatchFiles();
}

void EditorWindow::RefreshFromDisk() {
  if (directory_path_.isEmpty() || Loading()) return;
  const ProfileDirectory::DiskChanges changes = directory_.ScanDisk();
  const bool editing = SelectedHasChanges();
  std::vector<int16_t> read = changes.changed;
  read.insert(read.end(), changes.added.begin(), changes.added.end());
  for (int16_t identity : read) {
    if (identity == selected_ && editing) {
      AppendLog(QStringLiteral("%1 changed on disk; your changes are kept, and Save asks what to do")
                    .arg(FileOf(identity)));
      continue;
    }
    const bool added = !directory_.Contains(identity);
    LoadedProfile loaded = LoadProfileFile(identity);
    selecting_ = true;
    if (loaded.profile != nullptr) {
      list_->SetProfile(identity, *loaded.profile, false);
    } else {
      list_->SetUnreadable(identity, FileOf(identity).toStdString(), loaded.messages);
    }
    selecting_ = false;
    directory_.Add(std::move(loaded));
    AppendLog((added ? QStringLiteral("%1 appeared on disk: added") : QStringLiteral("%1 changed on disk: read again"))
                  .arg(FileOf(identity)));
    if (identity == selected_) ShowSelected();
  }
  for (int16_t identity : changes.removed) {
    if (identity == selected_ && editing) {
      AppendLog(QStringLiteral("%1 was deleted on disk; your changes are kept, and Save writes it again")
                    .arg(FileOf(identity)));
      continue;
    }
    directory_.Forget(identity);
    selecting_ = true;
    list_->Remove(identity);
    selecting_ = false;
    AppendLog(QStringLiteral("%1 was deleted on disk: removed from the list").arg(FileOf(identity)));
    if (identity == selected_) {
      selected_ = kNoProfile;
      ShowSelected();
    }
  }
  SyncTree();
}

bool EditorWindow::ReadCalendarAgain() {
  cCalendar fresh;
  const FileStamp stamp = FileStamp::Of(calendar_file_.toStdString());
  try {
    if (!fresh.ReadFromDisk(calendar_file_.toStdString())) return false;
  } catch (const Error& e) {
    AppendLog(QStringLiteral("Calendar %1 not read: %2").arg(calendar_file_, ErrorText(e)));
    return false;
  }
  calendar_->FromFileBytes(fresh.ToFileBytes());
  calendar_saved_bytes_ = calendar_->ToFileBytes();
  calendar_snapshot_ = calendar_saved_bytes_;
  calendar_stamp_ = stamp;
  calendar_view_->Refresh();
  UpdateDirtyMarks();
  return true;
}

void EditorWindow::RefreshCalendarFromDisk() {
  if (calendar_file_.isEmpty()) return;
  if (!FileStamp::Of(calendar_file_.toStdString()).Differs(calendar_stamp_)) return;
  if (CalendarHasChanges()) {
    AppendLog(QStringLiteral("The calendar %1 changed on disk; your changes are kept, and Save asks what to do")
                  .arg(calendar_file_));
    return;
  }
  if (ReadCalendarAgain()) AppendLog(QStringLiteral("The calendar %1 changed on disk: read again").arg(calendar_file_));
}

}  // namespace quindo
