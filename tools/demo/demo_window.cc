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
#include "qt/active_profiles_widget.h"
#include "qt/calendar_view.h"
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

DemoWindow::DemoWindow(QWidget* parent) : QWidget(parent) {
  setWindowTitle(QStringLiteral("Quindo profiles"));
  profiles_ = new ActiveProfilesWidget(this);

  address_ = new QLineEdit(profiles_->ServerAddress(), this);
  port_ = new QLineEdit(QString::number(profiles_->ServerPort()), this);
  port_->setValidator(new QIntValidator(0, 65535, port_));
  auto* apply = new QPushButton(QStringLiteral("Apply"), this);
  auto* server_row = new QHBoxLayout;
  server_row->addWidget(new QLabel(QStringLiteral("Server"), this));
  server_row->addWidget(address_, 3);
  server_row->addWidget(new QLabel(QStringLiteral("Port"), this));
  server_row->addWidget(port_, 1);
  server_row->addWidget(apply);

  auto* enable = new QPushButton(QStringLiteral("Enable selected"), this);
  auto* disable = new QPushButton(QStringLiteral("Disable selected"), this);
  status_ = new QLabel(this);
  message_ = new QLabel(this);
  auto* button_row = new QHBoxLayout;
  button_row->addWidget(enable);
  button_row->addWidget(disable);
  button_row->addStretch();
  button_row->addWidget(message_);

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
  connect(enable, &QPushButton::clicked, this, [this] { RequestSelected(1); });
  connect(disable, &QPushButton::clicked, this, [this] { RequestSelected(0); });
  auto* status_timer = new QTimer(this);
  connect(status_timer, &QTimer::timeout, this, &DemoWindow::UpdateStatus);
  status_timer->start(250);
  UpdateStatus();
  resize(1140, 380);
}

// The control reads the new values at its next connection attempt.
void DemoWindow::ApplyServer() {
  profiles_->SetServerAddress(address_->text().trimmed());
  profiles_->SetServerPort(port_->text().toInt());
}

void DemoWindow::RequestSelected(int enabled) {
  const QString selected = SelectedName();
  if (selected.isNull()) {
    message_->setText(QStringLiteral("Select a profile first"));
    return;
  }
  // The icon changes when the server reports the profile again.
  message_->clear();
  try {
    profiles_->ProfileEnableOrDisable(selected, enabled);
  } catch (const Error& e) {
    message_->setText(QString::fromStdString(e.Description()));
  }
}

void DemoWindow::UpdateStatus() {
  const QString name = SelectedName();
  QString text = profiles_->IsConnectedToServer() ? QStringLiteral("Connected") : QStringLiteral("Not connected");
  if (!name.isNull()) {
    schedule_->ShowProfile(name);
    if (schedule_->View().Schedule() != calendar_->Calendar()->m_AssociatedTimeSchedule) {
      calendar_->SetSchedule(schedule_->View().Schedule());
    }
    text += QStringLiteral(" - %1 is %2")
                .arg(name, profiles_->IsProfileEnabled(name) ? QStringLiteral("enabled") : QStringLiteral("disabled"));
  }
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
    text += QStringLiteral("%1 %2 %3\n")
                .arg(QString::fromStdString(node.key), -5)
                .arg(IconText(node.image), QString::fromStdString(node.text));
    return true;
  });
  return text;
}

}  // namespace quindo
