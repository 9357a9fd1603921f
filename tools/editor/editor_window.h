#pragma once
// quindo-editor's main window: the profiles of a data directory as a tree
// nested by "@" with their enabled check boxes, the form of the selected
// profile, its week chart and, beside it, a month of the chosen calendar with
// the profile's time bars; a log of every reported message; and a "Server"
// tab with the live profile control.
//
// The window only wires widgets to the model code: the field table
// (profile_fields.h), the undo commands (edit_commands.h), the directory
// (profile_directory.h) and its loader. Every edit is a command on one undo
// stack that lives until the record is saved, discarded or left.

#include <functional>
#include <memory>
#include <string>

#include <QDateTime>
#include <QMainWindow>
#include <QString>

#include "tools/editor/edit_commands.h"
#include "tools/editor/profile_directory.h"
#include "tools/editor/save_prompt.h"

class QAction;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;
class QUndoStack;

namespace quindo {

class ActiveProfilesWidget;
class cCalendar;
class CalendarView;
class DirectoryLoader;
class ProfileForm;
class ProfileList;
class ReceiverPane;
class TimeScheduleView;

class EditorWindow : public QMainWindow, private EditTarget {
  Q_OBJECT

 public:
  explicit EditorWindow(QWidget* parent = nullptr);
  ~EditorWindow() override;

  // Message boxes by default; tests answer instead.
  void SetSavePrompt(SavePrompt prompt) { save_prompt_ = std::move(prompt); }
  void SetConfirmPrompt(ConfirmPrompt prompt) { confirm_prompt_ = std::move(prompt); }

  // Starts loading DIR/Profiles in the background (after asking about
  // unsaved changes; false when the user cancelled).
  bool OpenDirectory(const QString& directory);
  bool Loading() const;
  // The calendar the month view shows and Save writes; a missing file
  // starts empty. False (reported) when the file cannot be read.
  bool OpenCalendar(const QString& file);

  // Selects a profile (asking about unsaved changes first); false when
  // cancelled or unknown.
  bool SelectProfile(int16_t identity);
  int16_t SelectedIdentity() const { return selected_; }
  cProfile* SelectedProfile() { return directory_.Find(selected_); }
  bool SelectedHasChanges() const;
  bool CalendarHasChanges() const;

  // The File menu's operations.
  bool SaveSelected();
  bool DiscardSelected();
  int16_t NewProfile();
  int16_t DuplicateSelected();
  bool DeleteSelected();
  // The selected profile as quindo-records JSON; false (reported) on failure.
  bool ExportSelected(const QString& file);
  // A new profile from a quindo-records JSON file, saved and selected; -1
  // (reported) when the file is no profile or the save fails.
  int16_t ImportProfile(const QString& file);
  // "Active now?": the selected profile's schedule answer at a time (now by
  // default) with the calendar shown, also written to the log.
  QString ActiveNow(const QDateTime& at);

  // The pieces, for tests.
  ProfileDirectory& Directory() { return directory_; }
  ProfileList& List() { return *list_; }
  QTreeWidget* Tree() const { return tree_; }
  ProfileForm* Form() const { return form_; }
  TimeScheduleView* Schedule() const { return schedule_; }
  CalendarView* Calendar() const { return calendar_view_; }
  QUndoStack* UndoStack() const { return undo_; }
  QPlainTextEdit* Log() const { return log_; }
  QProgressBar* Progress() const { return progress_; }
  ActiveProfilesWidget* Server() const { return server_; }
  QTabWidget* Tabs() const { return tabs_; }
  ReceiverPane* Receivers() const { return receivers_; }

 signals:
  // The background load is complete.
  void directoryLoaded(int profiles);

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // EditTarget
  cProfile* ProfileFor(int16_t identity) override { return directory_.Find(identity); }
  void ProfileEdited(int16_t identity, int field) override;

  void BuildMenus();
  QWidget* BuildProfilesPage();
  QWidget* BuildServerPage();
  void AppendLog(const QString& message);
  // Asks about the selected profile's and the calendar's changes; false
  // when the user cancels or a chosen save fails.
  bool MayLeaveSelected();
  bool MayLeaveCalendar();
  void ShowSelected();
  void UpdateDirtyMarks();
  void OnCurrentItemChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous);
  void OnItemChanged(QTreeWidgetItem* item, int column);
  void OnFieldEdited(int field, const QVariant& value);
  void OnScheduleChanged();
  void OnCalendarChanged();
  bool SaveCalendar();
  bool ReceiversShown() const;

  ProfileDirectory directory_;
  std::unique_ptr<DirectoryLoader> loader_;
  std::unique_ptr<ProfileList> list_;
  QString directory_path_;
  int16_t selected_ = -1;
  bool selecting_ = false;  // the tree's signals while the window moves the selection
  std::string schedule_snapshot_;
  int schedule_stroke_ = 0;
  int calendar_stroke_ = 0;
  int strokes_ = 0;

  std::shared_ptr<cCalendar> calendar_;
  QString calendar_file_;
  std::string calendar_saved_bytes_;
  std::string calendar_snapshot_;

  SavePrompt save_prompt_;
  ConfirmPrompt confirm_prompt_;

  QTabWidget* tabs_ = nullptr;
  QTreeWidget* tree_ = nullptr;
  ProfileForm* form_ = nullptr;
  TimeScheduleView* schedule_ = nullptr;
  CalendarView* calendar_view_ = nullptr;
  QLabel* calendar_label_ = nullptr;
  QPlainTextEdit* log_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QUndoStack* undo_ = nullptr;
  ActiveProfilesWidget* server_ = nullptr;
  ReceiverPane* receivers_ = nullptr;
};

}  // namespace quindo
