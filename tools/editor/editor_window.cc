// The window's layout, log and the loading of a directory; the menus are in
// editor_menus.cc, the edits in editor_actions.cc, the file operations in
// editor_files.cc and editor_json.cc, the watching of the disk in
// editor_watch.cc.

#include "tools/editor/editor_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QComboBox>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <QUndoStack>
#include <QVBoxLayout>

#include "common/settings.h"
#include "model/calendar/calendar.h"
#include "qt/active_profiles_widget.h"
#include "qt/calendar_view.h"
#include "qt/time_schedule_view.h"
#include "tools/editor/directory_loader.h"
#include "tools/editor/editor_checks.h"
#include "tools/editor/elided_label.h"
#include "tools/editor/profile_form.h"
#include "tools/editor/profile_list.h"
#include "tools/editor/receiver_pane.h"
#include "tools/editor/wheel_guard.h"
#include "tools/editor/answer_panes.h"

namespace quindo {

EditorWindow::EditorWindow(QWidget* parent)
    : QMainWindow(parent),
      loader_(std::make_unique<DirectoryLoader>()),
      calendar_(std::make_shared<cCalendar>()),
      prompts_(EditorPrompts::MessageBoxes(this)) {
  prompts_.log = [this](const QString& line) { AppendLog(line); };
  undo_ = new QUndoStack(this);

  log_ = new QPlainTextEdit(this);
  log_->setReadOnly(true);
  log_->setMaximumBlockCount(5000);
  log_->setObjectName(QStringLiteral("log"));
  log_->setAccessibleName(QStringLiteral("Log"));
  tabs_ = new QTabWidget(this);
  profiles_page_ = BuildProfilesPage();
  tabs_->addTab(profiles_page_, QStringLiteral("Profiles"));
  receivers_ = new ReceiverPane(*undo_, prompts_);
  connect(receivers_, &ReceiverPane::changed, this, &EditorWindow::UpdateTitle);
  tabs_->addTab(receivers_, QStringLiteral("Receivers"));
  agenda_ = new AgendaPane;
  tabs_->addTab(agenda_, QStringLiteral("Agenda"));
  tabs_->addTab(BuildServerPage(), QStringLiteral("Server"));
  check_ = new CheckPane;
  WireAnswers();
  auto* bottom = new QSplitter(Qt::Horizontal);
  bottom->addWidget(log_);
  bottom->addWidget(check_);
  auto* split = new QSplitter(Qt::Vertical, this);
  split->addWidget(tabs_);
  split->addWidget(bottom);
  split->setStretchFactor(0, 5);
  split->setStretchFactor(1, 1);
  setCentralWidget(split);

  progress_ = new QProgressBar(this);
  progress_->setMaximumWidth(200);
  progress_->setVisible(false);
  statusBar()->addPermanentWidget(progress_);
  BuildMenus();
  GuardWheel(this);
  WatchFiles();

  // Every message the record classes report on this thread lands here.
  SetReportDestination([this](const std::string& message) { AppendLog(QString::fromStdString(message)); });
  calendar_saved_bytes_ = calendar_->ToFileBytes();
  calendar_snapshot_ = calendar_saved_bytes_;
  UpdateTitle();
  resize(1280, 820);
  // The keyboard starts in the list of profiles.
  tree_->setFocus();
}

EditorWindow::~EditorWindow() {
  loader_->Stop();
  SetReportDestination(nullptr);
}

QWidget* EditorWindow::BuildProfilesPage() {
  tree_ = new QTreeWidget;
  tree_->setHeaderLabel(QStringLiteral("Profiles"));
  tree_->setAccessibleName(QStringLiteral("Profiles"));
  tree_->setUniformRowHeights(true);  // keeps thousands of rows fast
  tree_->setMinimumWidth(220);
  list_ = std::make_unique<ProfileList>(*tree_);
  connect(tree_, &QTreeWidget::currentItemChanged, this, &EditorWindow::OnCurrentItemChanged);
  connect(tree_, &QTreeWidget::itemChanged, this, &EditorWindow::OnItemChanged);

  form_ = new ProfileForm;
  connect(form_, &ProfileForm::fieldEdited, this, &EditorWindow::OnFieldEdited);
  form_scroll_ = new QScrollArea;
  form_scroll_->setWidget(form_);
  form_scroll_->setWidgetResizable(true);
  form_scroll_->setMinimumWidth(360);

  // The chart takes the pane's width, its time axis stretched to it.
  schedule_ = new TimeScheduleView;
  schedule_->Picture()->installEventFilter(this);
  schedule_->StartField()->setAccessibleName(QStringLiteral("Period start"));
  schedule_->StopField()->setAccessibleName(QStringLiteral("Period stop"));
  schedule_->ScrollBar()->setAccessibleName(QStringLiteral("Week chart rows"));
  connect(schedule_, &TimeScheduleView::scheduleChanged, this, &EditorWindow::OnScheduleChanged);
  // After the chart's own handling, which reads the boxes and writes them back.
  for (QLineEdit* box : {schedule_->StartField(), schedule_->StopField()}) {
    connect(box, &QLineEdit::textEdited, this, [this] {
      typed_times_.emplace(schedule_->StartField()->text(), schedule_->StopField()->text());
    });
    connect(box, &QLineEdit::editingFinished, this, &EditorWindow::OnTypedTime);
  }
  // Grouping Monday-Friday overwrites their periods: the chart's menu asks first.
  schedule_->PopupMenu()->installEventFilter(this);
  typed_time_note_ = new QLabel;
  typed_time_note_->setObjectName(QStringLiteral("typedTimeNote"));
  typed_time_note_->setWordWrap(true);

  calendar_view_ = new CalendarView;
  calendar_view_->SetCalendar(calendar_);
  calendar_view_->PaintArea()->installEventFilter(this);
  calendar_view_->YearField()->setAccessibleName(QStringLiteral("Year"));
  calendar_view_->DayTypeList()->setAccessibleName(QStringLiteral("Day type to paint"));
  calendar_view_->PreviousButton()->setAccessibleName(QStringLiteral("Previous month"));
  calendar_view_->NextButton()->setAccessibleName(QStringLiteral("Next month"));
  connect(calendar_view_, &CalendarView::calendarChanged, this, &EditorWindow::OnCalendarChanged);
  calendar_label_ = new ElidedLabel;

  auto* views = new QWidget;
  auto* views_layout = new QVBoxLayout(views);
  views_layout->addWidget(new QLabel(QStringLiteral("Week chart")));
  views_layout->addWidget(schedule_);
  views_layout->addWidget(typed_time_note_);
  views_layout->addWidget(calendar_label_);
  views_layout->addWidget(calendar_view_);
  views_layout->addStretch();

  auto* split = new QSplitter(Qt::Horizontal);
  split->addWidget(tree_);
  split->addWidget(form_scroll_);
  split->addWidget(views);
  split->setStretchFactor(0, 2);
  split->setStretchFactor(1, 3);
  split->setStretchFactor(2, 3);
  return split;
}

QWidget* EditorWindow::BuildServerPage() {
  auto* page = new QWidget;
  auto* address = new QLineEdit(QStringLiteral("127.0.0.1"));
  address->setObjectName(QStringLiteral("serverAddress"));
  address->setAccessibleName(QStringLiteral("Server address"));
  auto* port = new QSpinBox;
  port->setObjectName(QStringLiteral("serverPort"));
  port->setAccessibleName(QStringLiteral("Server port"));
  port->setRange(0, 65535);
  port->setValue(58658);
  auto* connect_button = new QPushButton(QStringLiteral("Connect"));
  connect_button->setObjectName(QStringLiteral("serverConnect"));
  // No address until the operator asks: the control would otherwise dial out
  // as soon as the editor starts.
  server_ = new ActiveProfilesWidget(std::string(), page);
  // Connect drops any link and dials the typed server at once; a port of 0
  // is refused with the reason beside the button.
  auto* refused = new QLabel;
  connect(connect_button, &QPushButton::clicked, this, [this, address, port, refused] {
    refused->setText(server_->SwitchServer(address->text(), port->value()));
  });
  auto* fields = new QHBoxLayout;
  fields->addWidget(new QLabel(QStringLiteral("Address")));
  fields->addWidget(address);
  fields->addWidget(new QLabel(QStringLiteral("Port")));
  fields->addWidget(port);
  fields->addWidget(connect_button);
  fields->addWidget(refused);
  fields->addStretch();
  auto* layout = new QVBoxLayout(page);
  layout->addLayout(fields);
  layout->addWidget(server_, 1);
  return page;
}

void EditorWindow::AppendLog(const QString& message) {
  log_->appendPlainText(QDateTime::currentDateTime().toString(QStringLiteral("HH:mm:ss ")) + message);
  statusBar()->showMessage(message, 15000);
}

void EditorWindow::Fail(const QString& message) {
  AppendLog(message);
  prompts_.notice(QStringLiteral("quindo-editor"), message);
}

void EditorWindow::UpdateTitle() {
  // "[*]" is where the window shows its mark of unsaved changes.
  setWindowTitle(directory_path_.isEmpty() ? QStringLiteral("quindo-editor[*]")
                                           : QStringLiteral("%1[*] - quindo-editor").arg(directory_path_));
  setWindowModified(SelectedHasChanges() || CalendarHasChanges() || receivers_->SelectedHasChanges());
  const QString dirty = CalendarHasChanges() ? QStringLiteral("* ") : QString();
  calendar_label_->SetFullText(calendar_file_.isEmpty()
                                   ? QStringLiteral("Calendar: %1none (changes are not kept)").arg(dirty)
                                   : QStringLiteral("Calendar: %1%2").arg(dirty, calendar_file_));
}

bool EditorWindow::Loading() const { return loader_->Running(); }

bool EditorWindow::ReceiversShown() const { return tabs_->currentWidget() == receivers_; }

void EditorWindow::AddLoadedBatch(std::vector<LoadedProfile>& batch) {
  selecting_ = true;
  tree_->setUpdatesEnabled(false);
  for (LoadedProfile& loaded : batch) {
    const int16_t identity = loaded.identity;
    if (loaded.profile != nullptr) {
      if (!loaded.messages.empty()) AppendLog(QString::fromStdString(loaded.messages));
      list_->SetProfile(identity, *loaded.profile, false);
    } else {
      AppendLog(QString::fromStdString(loaded.messages));
      list_->SetUnreadable(identity, cProfile().CreateFileName(identity), loaded.messages);
    }
    directory_.Add(std::move(loaded));
  }
  tree_->setUpdatesEnabled(true);
  selecting_ = false;
}

bool EditorWindow::OpenDirectory(const QString& directory) {
  if (!MayLeaveSelected() || !MayLeaveCalendar() || !receivers_->MayLeave()) return false;
  loader_->Stop();
  undo_->clear();
  selected_ = kNoProfile;
  ShowSelected();
  selecting_ = true;
  list_->Clear();
  selecting_ = false;
  directory_.Clear();
  directory_path_ = directory;
  UseDataDirectory(directory.toStdString());
  receivers_->Open();
  disk_changed_while_loading_ = false;
  WatchFiles();
  UpdateTitle();
  AppendLog(QStringLiteral("Opening %1").arg(directory));
  progress_->setRange(0, 0);
  progress_->setVisible(true);

  auto unreadable = std::make_shared<int>(0);
  DirectoryLoader::Callbacks callbacks;
  callbacks.batch = [this, unreadable](std::shared_ptr<ProfileBatch> batch, int done, int total) {
    for (const LoadedProfile& loaded : *batch) *unreadable += loaded.profile == nullptr ? 1 : 0;
    AddLoadedBatch(*batch);
    progress_->setRange(0, total);
    progress_->setValue(done);
    if (selected_ == kNoProfile) {
      for (int16_t key : directory_.Keys()) {
        if (directory_.Find(key) != nullptr) {
          SelectProfile(key);
          break;
        }
      }
    }
  };
  callbacks.finished = [this, unreadable] {
    progress_->setVisible(false);
    const int count = static_cast<int>(directory_.Size());
    AppendLog(QStringLiteral("Opened %1 profile files from %2 (%3 unreadable)")
                  .arg(count)
                  .arg(directory_path_)
                  .arg(*unreadable));
    // What changed while the files were read.
    if (disk_changed_while_loading_) RefreshFromDisk();
    disk_changed_while_loading_ = false;
    emit directoryLoaded(count);
  };
  loader_->Start(RecordThreadSettings::OfThisThread(), this, std::move(callbacks));
  return true;
}

bool EditorWindow::OpenCalendar(const QString& file) {
  auto calendar = std::make_shared<cCalendar>();
  const FileStamp stamp = FileStamp::Of(file.toStdString());
  try {
    calendar->ReadFromDisk(file.toStdString());
  } catch (const Error& e) {
    Fail(QStringLiteral("Calendar %1 not read: %2").arg(file, ErrorText(e)));
    return false;
  }
  undo_->clear();
  calendar_ = calendar;
  calendar_file_ = file;
  calendar_stamp_ = stamp;
  calendar_saved_bytes_ = calendar_->ToFileBytes();
  calendar_snapshot_ = calendar_saved_bytes_;
  calendar_view_->SetCalendar(calendar_);
  WatchFiles();
  UpdateDirtyMarks();
  return true;
}

void EditorWindow::closeEvent(QCloseEvent* event) {
  CommitPendingEdit();
  if (MayLeaveSelected() && MayLeaveCalendar() && receivers_->MayLeave()) {
    loader_->Stop();
    event->accept();
  } else {
    event->ignore();
  }
}

}  // namespace quindo
