#pragma once
// quindo-editor's main window: the profiles of a data directory as a tree
// nested by "@" with their enabled check boxes, the form of the selected
// profile, its week chart and, beside it, a month of the chosen calendar with
// the profile's time bars; a log of every reported message with the
// directory's check beside it; an "Agenda" tab of the next 24 hours; and a
// "Server" tab with the live profile control.
//
// The window only wires widgets to the model code: the field table
// (profile_fields.h), the undo commands (edit_commands.h), the directory
// (profile_directory.h) and its loader. Every edit is a command on one undo
// stack for all records; undo and redo first go to the record they change.
// Only the selected record (and the calendar) may hold unsaved changes:
// leaving it asks Save / Discard / Cancel. New, duplicated and imported
// profiles are drafts that reach the disk on their first save; a save never
// overwrites a file that changed on disk since it was read without asking,
// and records changed on disk that are not being edited are read again.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QDateTime>
#include <QMainWindow>
#include <QString>

#include "tools/editor/edit_commands.h"
#include "tools/editor/editor_prompts.h"
#include "tools/editor/file_stamp.h"
#include "tools/editor/profile_directory.h"

class QAction;
class QFileSystemWatcher;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QScrollArea;
class QTabWidget;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;
class QUndoStack;

namespace quindo {

class ActiveProfilesWidget;
class AgendaPane;
class CheckPane;
class cCalendar;
class CalendarView;
class DirectoryLoader;
class ElidedLabel;
class ProfileForm;
class ProfileList;
class ReceiverPane;
class TimeScheduleView;

class EditorWindow : public QMainWindow, private EditTarget {
  Q_OBJECT

 public:
  explicit EditorWindow(QWidget* parent = nullptr);
  ~EditorWindow() override;

  // Message boxes by default; tests answer instead (the log function is
  // the window's own and is kept).
  EditorPrompts& Prompts() { return prompts_; }

  // Starts loading DIR/Profiles in the background (after asking about
  // unsaved changes; false when the user cancelled).
  bool OpenDirectory(const QString& directory);
  bool Loading() const;
  // The calendar the month view shows and Save writes; a missing file
  // starts empty. False (reported) when the file cannot be read.
  bool OpenCalendar(const QString& file);

  // Selects a profile by key (asking about unsaved changes first); false
  // when cancelled or unknown. A draft's key follows it to its identity
  // once it is saved.
  bool SelectProfile(int16_t key);
  int16_t SelectedIdentity() const { return selected_; }
  cProfile* SelectedProfile() { return directory_.Find(selected_); }
  bool SelectedHasChanges() const;
  bool CalendarHasChanges() const;

  // The File menu's operations on profiles. Save first takes the edit in
  // progress (a field with the keyboard focus, typed times).
  bool SaveSelected();
  bool DiscardSelected();
  // New and Duplicate make drafts (nothing on disk until Save) and return
  // their keys; kNoProfile when refused.
  int16_t NewProfile();
  int16_t DuplicateSelected();
  bool DeleteSelected();
  // The selected profile as quindo-records JSON; false (reported) on failure.
  bool ExportSelected(const QString& file);
  // A profile from a quindo-records JSON file: over the profile of its
  // identity when the user chooses so, else as a draft; odd periods are
  // named and kept or dropped as the user says. Returns the key of the
  // profile that took it, kNoProfile (reported) when none did.
  int16_t ImportProfile(const QString& file);
  // The name Export suggests: "<profile name>.json" in the data directory.
  QString SuggestedExportFile() const;
  // "Active now?": the selected profile's schedule answer at a time (now by
  // default) with the calendar shown, in the log and a message.
  QString ActiveNow(const QDateTime& at);
  // The agenda and the check of the profiles as they stand (unsaved edits
  // included) and the calendar shown; done shortly after every change, and
  // at once by this. The clock gives the agenda's start (the current
  // minute unless a test sets one) and the check's year.
  void RefreshAnswers();
  void SetAnswersClock(std::function<QDateTime()> clock) { answers_clock_ = std::move(clock); }

  // The pieces, for tests.
  ProfileDirectory& Directory() { return directory_; }
  ProfileList& List() { return *list_; }
  QTreeWidget* Tree() const { return tree_; }
  ProfileForm* Form() const { return form_; }
  QScrollArea* FormScroll() const { return form_scroll_; }
  TimeScheduleView* Schedule() const { return schedule_; }
  QLabel* TypedTimeNoteLabel() const { return typed_time_note_; }
  CalendarView* Calendar() const { return calendar_view_; }
  ElidedLabel* CalendarLabel() const { return calendar_label_; }
  QUndoStack* UndoStack() const { return undo_; }
  QAction* UndoAction() const { return undo_action_; }
  QAction* RedoAction() const { return redo_action_; }
  QPlainTextEdit* Log() const { return log_; }
  QProgressBar* Progress() const { return progress_; }
  ActiveProfilesWidget* Server() const { return server_; }
  QTabWidget* Tabs() const { return tabs_; }
  ReceiverPane* Receivers() const { return receivers_; }
  AgendaPane* Agenda() const { return agenda_; }
  CheckPane* Check() const { return check_; }

 signals:
  // The background load is complete.
  void directoryLoaded(int profiles);

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // EditTarget: keys of commands are resolved, so a saved draft's edits
  // still reach it.
  cProfile* ProfileFor(int16_t key) override { return directory_.Find(directory_.Resolve(key)); }
  void ProfileEdited(int16_t key, int field) override;

  // editor_window.cc: layout and loading.
  QWidget* BuildProfilesPage();
  QWidget* BuildServerPage();
  void AppendLog(const QString& message);
  // Logs a failure of an action the user asked for and shows it.
  void Fail(const QString& message);
  void UpdateTitle();
  void AddLoadedBatch(std::vector<LoadedProfile>& batch);

  // editor_menus.cc: menus, undo and redo across records, Ctrl+S.
  void BuildMenus();
  void StepUndo(bool back);
  bool GoTo(const EditPlace& place);
  void SaveFrontTab();
  // Finishes the edit in the widget that has the keyboard focus, as leaving
  // it would: a typed number, a receiver setting, a typed time.
  static void CommitPendingEdit();

  // editor_actions.cc: selection and edits.
  bool MayLeaveSelected();
  bool MayLeaveCalendar();
  void ShowSelected();
  void UpdateDirtyMarks();
  // The tree highlights the record in the form and shows it.
  void SyncTree();
  void OnCurrentItemChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous);
  void OnItemChanged(QTreeWidgetItem* item, int column);
  void OnFieldEdited(int field, const QVariant& value);
  void OnScheduleChanged();
  void OnCalendarChanged();
  void OnTypedTime();
  bool ConfirmGroupMonFri();

  // editor_files.cc: save, discard, new, duplicate, delete.
  bool SaveCalendar();
  // A record file changed on disk since it was read: asks Reload /
  // Overwrite / Cancel, and reloads when told to.
  enum class DiskConflict { kOverwrite, kReloaded, kCancelled };
  DiskConflict AskAboutDiskChange(const QString& file, const std::function<void()>& reload);
  int16_t ShowDraft(int16_t key);
  bool ReceiversShown() const;

  // editor_answers.cc: the agenda and the check, refreshed after changes.
  void WireAnswers();

  // editor_watch.cc: the directory and calendar on disk.
  void WatchFiles();
  void OnDiskChanged();
  void RefreshFromDisk();
  void RefreshCalendarFromDisk();
  // Reads the calendar file into the calendar shown; false when it cannot.
  bool ReadCalendarAgain();

  ProfileDirectory directory_;
  std::unique_ptr<DirectoryLoader> loader_;
  std::unique_ptr<ProfileList> list_;
  QString directory_path_;
  int16_t selected_ = kNoProfile;
  bool selecting_ = false;  // the tree's signals while the window moves the selection
  std::string schedule_snapshot_;
  int schedule_stroke_ = 0;
  int calendar_stroke_ = 0;
  int strokes_ = 0;
  // The chart's Start and Stop boxes as the user left them, since they were
  // last read: the chart writes back what it made of them.
  std::optional<std::pair<QString, QString>> typed_times_;

  std::shared_ptr<cCalendar> calendar_;
  QString calendar_file_;
  std::string calendar_saved_bytes_;
  std::string calendar_snapshot_;
  FileStamp calendar_stamp_;

  EditorPrompts prompts_;

  QTabWidget* tabs_ = nullptr;
  QWidget* profiles_page_ = nullptr;
  QTreeWidget* tree_ = nullptr;
  ProfileForm* form_ = nullptr;
  QScrollArea* form_scroll_ = nullptr;
  TimeScheduleView* schedule_ = nullptr;
  QLabel* typed_time_note_ = nullptr;
  CalendarView* calendar_view_ = nullptr;
  ElidedLabel* calendar_label_ = nullptr;
  QPlainTextEdit* log_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QUndoStack* undo_ = nullptr;
  QAction* undo_action_ = nullptr;
  QAction* redo_action_ = nullptr;
  ActiveProfilesWidget* server_ = nullptr;
  ReceiverPane* receivers_ = nullptr;
  AgendaPane* agenda_ = nullptr;
  CheckPane* check_ = nullptr;
  QTimer* answers_timer_ = nullptr;
  std::function<QDateTime()> answers_clock_ = [] { return QDateTime::currentDateTime(); };
  QFileSystemWatcher* watcher_ = nullptr;
  QTimer* disk_settle_ = nullptr;
  bool disk_changed_while_loading_ = false;
};

}  // namespace quindo
