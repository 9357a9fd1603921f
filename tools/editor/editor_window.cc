// The window's layout, menus, log and the loading of a directory; the edits
// and file operations are in editor_actions.cc.

#include "tools/editor/editor_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
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
#include "tools/editor/profile_form.h"
#include "tools/editor/profile_list.h"
#include "tools/editor/receiver_pane.h"

namespace quindo {

EditorWindow::EditorWindow(QWidget* parent)
    : QMainWindow(parent), loader_(std::make_unique<DirectoryLoader>()), calendar_(std::make_shared<cCalendar>()) {
  setWindowTitle(QStringLiteral("quindo-editor[*]"));
  undo_ = new QUndoStack(this);
  save_prompt_ = [this](const QString& what) {
    const auto answer = QMessageBox::question(
        this, QStringLiteral("Unsaved changes"), QStringLiteral("Save the changes of %1?").arg(what),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Save) return SaveChoice::kSave;
    if (answer == QMessageBox::Discard) return SaveChoice::kDiscard;
    return SaveChoice::kCancel;
  };
  confirm_prompt_ = [this](const QString& question) {
    return QMessageBox::question(this, QStringLiteral("quindo-editor"), question) == QMessageBox::Yes;
  };

  log_ = new QPlainTextEdit(this);
  log_->setReadOnly(true);
  log_->setMaximumBlockCount(5000);
  log_->setObjectName(QStringLiteral("log"));
  tabs_ = new QTabWidget(this);
  tabs_->addTab(BuildProfilesPage(), QStringLiteral("Profiles"));
  receivers_ = new ReceiverPane(*undo_, save_prompt_, confirm_prompt_);
  tabs_->addTab(receivers_, QStringLiteral("Receivers"));
  tabs_->addTab(BuildServerPage(), QStringLiteral("Server"));
  auto* split = new QSplitter(Qt::Vertical, this);
  split->addWidget(tabs_);
  split->addWidget(log_);
  split->setStretchFactor(0, 5);
  split->setStretchFactor(1, 1);
  setCentralWidget(split);

  progress_ = new QProgressBar(this);
  progress_->setMaximumWidth(200);
  progress_->setVisible(false);
  statusBar()->addPermanentWidget(progress_);
  BuildMenus();

  // Every message the record classes report on this thread lands here.
  SetReportDestination([this](const std::string& message) { AppendLog(QString::fromStdString(message)); });
  calendar_saved_bytes_ = calendar_->ToFileBytes();
  calendar_snapshot_ = calendar_saved_bytes_;
  resize(1280, 820);
}

EditorWindow::~EditorWindow() {
  loader_->Stop();
  SetReportDestination(nullptr);
}

QWidget* EditorWindow::BuildProfilesPage() {
  tree_ = new QTreeWidget;
  tree_->setHeaderLabel(QStringLiteral("Profiles"));
  tree_->setUniformRowHeights(true);  // keeps thousands of rows fast
  tree_->setMinimumWidth(220);
  list_ = std::make_unique<ProfileList>(*tree_);
  connect(tree_, &QTreeWidget::currentItemChanged, this, &EditorWindow::OnCurrentItemChanged);
  connect(tree_, &QTreeWidget::itemChanged, this, &EditorWindow::OnItemChanged);

  form_ = new ProfileForm;
  connect(form_, &ProfileForm::fieldEdited, this, &EditorWindow::OnFieldEdited);
  auto* form_scroll = new QScrollArea;
  form_scroll->setWidget(form_);
  form_scroll->setWidgetResizable(true);
  form_scroll->setMinimumWidth(360);

  schedule_ = new TimeScheduleView;
  schedule_->setFixedSize(schedule_->minimumSize());
  schedule_->Picture()->installEventFilter(this);
  connect(schedule_, &TimeScheduleView::scheduleChanged, this, &EditorWindow::OnScheduleChanged);
  calendar_view_ = new CalendarView;
  calendar_view_->SetCalendar(calendar_);
  calendar_view_->PaintArea()->installEventFilter(this);
  connect(calendar_view_, &CalendarView::calendarChanged, this, &EditorWindow::OnCalendarChanged);
  calendar_label_ = new QLabel(QStringLiteral("Calendar: none (changes are not kept)"));
  calendar_label_->setWordWrap(true);

  auto* views = new QWidget;
  auto* views_layout = new QVBoxLayout(views);
  views_layout->addWidget(new QLabel(QStringLiteral("Week chart")));
  views_layout->addWidget(schedule_);
  views_layout->addWidget(calendar_label_);
  views_layout->addWidget(calendar_view_);
  views_layout->addStretch();

  auto* split = new QSplitter(Qt::Horizontal);
  split->addWidget(tree_);
  split->addWidget(form_scroll);
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
  auto* port = new QSpinBox;
  port->setObjectName(QStringLiteral("serverPort"));
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
  file->addAction(QStringLiteral("New &receiver"), this, [this] { receivers_->NewReceiver(); });
  file->addAction(QStringLiteral("D&uplicate profile"), this, [this] { DuplicateSelected(); });
  file->addAction(QStringLiteral("&Delete profile"), this, [this] { DeleteSelected(); });
  file->addAction(QStringLiteral("Delete receiver"), this, [this] { receivers_->DeleteSelected(); });
  file->addSeparator();
  file->addAction(QStringLiteral("&Import profile JSON..."), this, [this] {
    const QString name = QFileDialog::getOpenFileName(this, QStringLiteral("Import profile"), directory_path_,
                                                      QStringLiteral("JSON (*.json);;All files (*)"));
    if (!name.isEmpty()) ImportProfile(name);
  });
  file->addAction(QStringLiteral("&Export profile JSON..."), this, [this] {
    const QString name = QFileDialog::getSaveFileName(this, QStringLiteral("Export profile"), directory_path_,
                                                      QStringLiteral("JSON (*.json);;All files (*)"));
    if (!name.isEmpty()) ExportSelected(name);
  });
  file->addSeparator();
  // Save and Discard act on the tab in front.
  file->addAction(QStringLiteral("&Save"), QKeySequence::Save, this,
                  [this] { ReceiversShown() ? receivers_->SaveSelected() : SaveSelected(); });
  file->addAction(QStringLiteral("Disca&rd changes"), this,
                  [this] { ReceiversShown() ? receivers_->DiscardSelected() : DiscardSelected(); });
  file->addSeparator();
  file->addAction(QStringLiteral("&Quit"), QKeySequence::Quit, this, &QWidget::close);

  QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
  QAction* undo = undo_->createUndoAction(this);
  undo->setShortcut(QKeySequence(QStringLiteral("Ctrl+Z")));
  QAction* redo = undo_->createRedoAction(this);
  redo->setShortcuts({QKeySequence(QStringLiteral("Ctrl+Shift+Z")), QKeySequence(QStringLiteral("Ctrl+Y"))});
  edit->addAction(undo);
  edit->addAction(redo);

  QMenu* profile = menuBar()->addMenu(QStringLiteral("&Profile"));
  profile->addAction(QStringLiteral("&Active now?"), this, [this] { ActiveNow(QDateTime::currentDateTime()); });
}

void EditorWindow::AppendLog(const QString& message) {
  log_->appendPlainText(QDateTime::currentDateTime().toString(QStringLiteral("HH:mm:ss ")) + message);
  statusBar()->showMessage(message, 15000);
}

bool EditorWindow::Loading() const { return loader_->Running(); }

bool EditorWindow::ReceiversShown() const { return tabs_->currentWidget() == receivers_; }

bool EditorWindow::OpenDirectory(const QString& directory) {
  if (!MayLeaveSelected() || !MayLeaveCalendar() || !receivers_->MayLeave()) return false;
  loader_->Stop();
  undo_->clear();
  selected_ = -1;
  ShowSelected();
  selecting_ = true;
  list_->Clear();
  selecting_ = false;
  directory_.Clear();
  directory_path_ = directory;
  UseDataDirectory(directory.toStdString());
  setWindowFilePath(directory);
  receivers_->Open();
  AppendLog(QStringLiteral("Opening %1").arg(directory));
  progress_->setRange(0, 0);
  progress_->setVisible(true);

  auto unreadable = std::make_shared<int>(0);
  DirectoryLoader::Callbacks callbacks;
  callbacks.batch = [this, unreadable](std::shared_ptr<ProfileBatch> batch, int done, int total) {
    selecting_ = true;
    tree_->setUpdatesEnabled(false);
    for (LoadedProfile& loaded : *batch) {
      const int16_t identity = loaded.identity;
      if (loaded.profile != nullptr) {
        if (!loaded.messages.empty()) AppendLog(QString::fromStdString(loaded.messages));
        list_->SetProfile(identity, *loaded.profile, false);
      } else {
        ++*unreadable;
        AppendLog(QString::fromStdString(loaded.messages));
        cProfile naming;
        list_->SetUnreadable(identity, naming.CreateFileName(identity), loaded.messages);
      }
      directory_.Add(std::move(loaded));
    }
    tree_->setUpdatesEnabled(true);
    selecting_ = false;
    progress_->setRange(0, total);
    progress_->setValue(done);
    if (selected_ < 0) {
      for (int16_t identity : directory_.Identities()) {
        if (directory_.Find(identity) != nullptr) {
          SelectProfile(identity);
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
    emit directoryLoaded(count);
  };
  loader_->Start(directory.toStdString(), this, std::move(callbacks));
  return true;
}

bool EditorWindow::OpenCalendar(const QString& file) {
  auto calendar = std::make_shared<cCalendar>();
  try {
    calendar->ReadFromDisk(file.toStdString());
  } catch (const Error& e) {
    AppendLog(QStringLiteral("Calendar %1 not read: Err:%2 %3")
                  .arg(file)
                  .arg(e.Number())
                  .arg(QString::fromStdString(e.Description())));
    return false;
  }
  undo_->clear();
  calendar_ = calendar;
  calendar_file_ = file;
  calendar_saved_bytes_ = calendar_->ToFileBytes();
  calendar_snapshot_ = calendar_saved_bytes_;
  calendar_view_->SetCalendar(calendar_);
  calendar_label_->setText(QStringLiteral("Calendar: %1").arg(file));
  UpdateDirtyMarks();
  return true;
}

void EditorWindow::closeEvent(QCloseEvent* event) {
  if (MayLeaveSelected() && MayLeaveCalendar() && receivers_->MayLeave()) {
    loader_->Stop();
    event->accept();
  } else {
    event->ignore();
  }
}

}  // namespace quindo
