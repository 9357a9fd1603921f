#include "tools/demo/demo_window.h"

#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "common/error.h"
#include "model/calendar/calendar.h"
#include "control/active_profiles.h"
#include "qt/active_profiles_widget.h"
#include "qt/calendar_view.h"
#include "qt/command_line.h"
#include "qt/qt_tree_view.h"
#include "qt/time_schedule_view.h"
#include "tools/demo/schedule_pane.h"

namespace quindo {

namespace {

QString IconText(int image) {
  switch (image) {
    case 1: return QStringLiteral("[x]");
    case 2: return QStringLiteral("[ ]");
    default: return QStringLiteral("[?]");
  }
}

}  // namespace

DemoWindow::DemoWindow(QWidget* parent) : DemoWindow(HostCommandLine(), parent) {}

DemoWindow::DemoWindow(const std::string& command_line, QWidget* parent) : QWidget(parent) {
  setWindowTitle(QStringLiteral("Quindo profiles"));
  profiles_ = new ActiveProfilesWidget(command_line, this);

  address_ = new QLineEdit(profiles_->ServerAddress(), this);
  address_->setObjectName(QStringLiteral("serverAddress"));
  address_->setAccessibleName(QStringLiteral("Server address"));
  port_ = new QLineEdit(QString::number(profiles_->ServerPort()), this);
  port_->setObjectName(QStringLiteral("serverPort"));
  port_->setAccessibleName(QStringLiteral("Server port"));
  port_->setValidator(new QIntValidator(0, 65535, port_));
  auto* apply = new QPushButton(QStringLiteral("Apply"), this);
  apply->setObjectName(QStringLiteral("apply"));
  apply->setToolTip(QStringLiteral("Drops the link and connects to this server at once"));
  server_message_ = new QLabel(this);
  server_message_->setObjectName(QStringLiteral("serverMessage"));
  auto* address_label = new QLabel(QStringLiteral("&Server"), this);
  address_label->setBuddy(address_);
  auto* port_label = new QLabel(QStringLiteral("&Port"), this);
  port_label->setBuddy(port_);
  auto* server_row = new QHBoxLayout;
  server_row->addWidget(address_label);
  server_row->addWidget(address_, 3);
  server_row->addWidget(port_label);
  server_row->addWidget(port_, 1);
  server_row->addWidget(apply);
  server_row->addWidget(server_message_, 2);

  enable_ = new QPushButton(QStringLiteral("Enable selected"), this);
  enable_->setObjectName(QStringLiteral("enable"));
  disable_ = new QPushButton(QStringLiteral("Disable selected"), this);
  disable_->setObjectName(QStringLiteral("disable"));
  status_ = new QLabel(this);
  message_ = new QLabel(this);
  message_->setObjectName(QStringLiteral("requestMessage"));
  auto* button_row = new QHBoxLayout;
  button_row->addWidget(enable_);
  button_row->addWidget(disable_);
  button_row->addWidget(message_);
  button_row->addStretch();

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(server_row);
  schedule_ = new SchedulePane(this);
  auto* views = new QHBoxLayout;
  views->addWidget(profiles_, 1);
  views->addWidget(schedule_);
  calendar_ = new CalendarView(this);
  calendar_->SetSchedule(schedule_->View().Schedule());
  views->addWidget(calendar_);
  // Edits of the week chart show at once in the calendar's time bars.
  connect(&schedule_->View(), &TimeScheduleView::scheduleChanged, calendar_, &CalendarView::Refresh);
  layout->addLayout(views, 1);
  layout->addLayout(button_row);
  layout->addWidget(status_);

  connect(apply, &QPushButton::clicked, this, &DemoWindow::ApplyServer);
  connect(port_, &QLineEdit::returnPressed, this, &DemoWindow::ApplyServer);
  connect(enable_, &QPushButton::clicked, this, [this] { RequestSelected(1); });
  connect(disable_, &QPushButton::clicked, this, [this] { RequestSelected(0); });
  auto* status_timer = new QTimer(this);
  connect(status_timer, &QTimer::timeout, this, &DemoWindow::UpdateStatus);
  status_timer->start(250);
  UpdateStatus();
  // Tall enough that Command1, where the control's form puts it, stays clear
  // of the centred "Not connected" and the reason line under it.
  resize(1140, 520);
  // The tree is the first stop; until the link is up the control holds the
  // focus for it.
  profiles_->setFocus();
}

void DemoWindow::ApplyServer() {
  bool number = false;
  const int port = port_->text().toInt(&number);
  server_message_->setText(profiles_->SwitchServer(address_->text(), number ? port : 0));
}

void DemoWindow::Toggle(const QString& name) {
  profiles_->ProfileEnableOrDisable(name, profiles_->IsProfileEnabled(name) != 0 ? 0 : 1);
}

void DemoWindow::RequestSelected(int enabled) {
  const QString selected = SelectedName();
  if (selected.isNull()) return;
  // The icon changes when the server reports the profile again; until then
  // the control marks the row as waiting.
  message_->clear();
  try {
    profiles_->ProfileEnableOrDisable(selected, enabled);
  } catch (const Error& e) {
    message_->setText(QString::fromStdString(e.Description()));
  }
}

void DemoWindow::UpdateStatus() {
  const QString name = SelectedName();
  const bool connected = profiles_->IsConnectedToServer() != 0;
  enable_->setEnabled(!name.isNull());
  disable_->setEnabled(!name.isNull());
  const QString hint = QStringLiteral("Select a profile first");
  if (name.isNull()) {
    message_->setText(hint);
  } else if (message_->text() == hint) {
    message_->clear();
  }
  QString text = connected ? QStringLiteral("Connected") : QStringLiteral("Not connected");
  if (!name.isNull()) {
    schedule_->ShowProfile(name);
    if (schedule_->View().Schedule() != calendar_->Calendar()->m_AssociatedTimeSchedule) {
      calendar_->SetSchedule(schedule_->View().Schedule());
    }
    text += QStringLiteral(" - %1 is %2")
                .arg(name, profiles_->IsProfileEnabled(name) ? QStringLiteral("enabled") : QStringLiteral("disabled"));
  }
  // The chart's profile went from the server (it is not merely unselected).
  const bool gone = connected && profiles_->TreeNodes().Count() > 0 &&
                    profiles_->Control().KeysOfProfilesNamed(schedule_->ShownName().toStdString()).empty();
  schedule_->SetRemoved(gone);
  status_->setText(text);
}

// The selected node's name; a null text when no node is selected.
QString DemoWindow::SelectedName() const {
  const std::optional<std::string> key = profiles_->TreeNodes().SelectedKey();
  if (!key) return QString();
  return QString::fromStdString(profiles_->TreeNodes().Node(*key).text);
}

QString DemoWindow::TreeAsText() const {
  QString text;
  profiles_->TreeNodes().ForEachNode([&text](const TreeNode& node) {
    text += QStringLiteral("%1 %2 %3%4\n")
                .arg(QString::fromStdString(node.key), -5)
                .arg(IconText(node.image), QString::fromStdString(node.text),
                     node.pending ? QStringLiteral("  (waiting for the server)") : QString());
    return true;
  });
  return text;
}

QString DemoWindow::StateAsText() const {
  QString text = QStringLiteral("IsConnectedToServer %1\n").arg(profiles_->IsConnectedToServer());
  text += TreeAsText();
  if (!profiles_->Label_Reason()->isHidden()) {
    text += QStringLiteral("Reason line: Not connected \u2014 %1\n").arg(profiles_->Label_Reason()->text());
  }
  if (!profiles_->Label_Status()->text().isEmpty()) {
    text += QStringLiteral("Status line: %1\n").arg(profiles_->Label_Status()->text());
  }
  return text;
}

}  // namespace quindo
