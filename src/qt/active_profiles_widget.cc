#include "qt/active_profiles_widget.h"

#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QResizeEvent>

#include "control/active_profiles.h"
#include "qt/command_line.h"
#include "qt/control_binding.h"
#include "qt/guarded_call.h"
#include "qt/profile_tree_widget.h"
#include "qt/qt_socket.h"
#include "qt/qt_timer.h"
#include "qt/qt_tree_view.h"
#include "qt/widget_window.h"

namespace quindo {

namespace {

// The form was laid out in twips; at 96 dpi a pixel is 15 twips.
constexpr double kTwipsPerPixel = 15.0;
int Pixels(double twips) { return qRound(twips / kTwipsPerPixel); }

constexpr int32_t kReconnectTimerInterval = 500;

QLabel* MakeConnectionLabel(QWidget* parent) {
  auto* label = new QLabel(QStringLiteral("Not connected"), parent);
  label->setObjectName(QStringLiteral("Label_Connection"));
  QFont font = label->font();
  font.setFamilies({QStringLiteral("MS Sans Serif"), font.family()});
  font.setBold(true);
  label->setFont(font);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, QColor(255, 0, 0));
  palette.setColor(QPalette::Window, palette.color(QPalette::Button));
  label->setPalette(palette);
  label->setAutoFillBackground(true);
  label->setAlignment(Qt::AlignCenter);
  label->setGeometry(0, 0, Pixels(3900), Pixels(588));
  return label;
}

}  // namespace

ActiveProfilesWidget::ActiveProfilesWidget(QWidget* parent)
    : ActiveProfilesWidget(HostCommandLine(), parent) {}

ActiveProfilesWidget::ActiveProfilesWidget(const std::string& command_line, QWidget* parent)
    : QWidget(parent) {
  tree_widget_ = new ProfileTreeWidget(this);
  tree_widget_->setObjectName(QStringLiteral("TreeView_Profiles"));
  label_widget_ = MakeConnectionLabel(this);
  command1_ = new QPushButton(QStringLiteral("Command1"), this);
  command1_->setObjectName(QStringLiteral("Command1"));
  command1_->setGeometry(Pixels(2088), Pixels(2124), Pixels(1380), Pixels(408));

  tree_ = std::make_unique<QtTreeView>(tree_widget_);
  label_ = std::make_unique<QtLabel>(label_widget_);
  socket_ = std::make_unique<QtSocket>();
  timer_ = std::make_unique<QtTimer>(kReconnectTimerInterval);

  // A start-up failure goes to the host that creates the widget.
  control_ = std::make_unique<ActiveProfiles>(
      ChildControls{tree_.get(), label_.get(), socket_.get(), timer_.get()}, command_line);
  BindEvents();
}

ActiveProfilesWidget::~ActiveProfilesWidget() {
  UnbindLinkEvents(*socket_, *timer_);
  tree_widget_->on_mouse_down = nullptr;
  tree_widget_->on_click = nullptr;
  control_.reset();  // UserControl_Terminate, while the children still exist
}

void ActiveProfilesWidget::BindEvents() {
  ActiveProfiles* control = control_.get();
  BindLinkEvents(*control, *socket_, *timer_);
  tree_widget_->on_mouse_down = [control](int16_t button, int16_t shift, float x, float y) {
    control->TreeView_Profiles_MouseDown(button, shift, x, y);
  };
  tree_widget_->on_click = [control] { control->TreeView_Profiles_Click(); };
  connect(command1_, &QPushButton::clicked, this,
          [control] { CallGuarded("Command1_Click", [control] { control->Command1_Click(); }); });
}

QString ActiveProfilesWidget::ServerAddress() const {
  return QString::fromStdString(control_->ServerAddress());
}

void ActiveProfilesWidget::SetServerAddress(const QString& new_value) {
  control_->SetServerAddress(new_value.toStdString());
}

int32_t ActiveProfilesWidget::ServerPort() const { return control_->ServerPort(); }

void ActiveProfilesWidget::SetServerPort(int32_t new_value) { control_->SetServerPort(new_value); }

void ActiveProfilesWidget::ProfileEnableOrDisable(const QString& profile_name, int32_t enabled) {
  control_->ProfileEnableOrDisable(profile_name.toStdString(), enabled);
}

int32_t ActiveProfilesWidget::IsProfileEnabled(const QString& profile_name) const {
  return control_->IsProfileEnabled(profile_name.toStdString());
}

int32_t ActiveProfilesWidget::IsConnectedToServer() const { return control_->IsConnectedToServer(); }

QTreeView* ActiveProfilesWidget::TreeView_Profiles() const { return tree_widget_; }

QSize ActiveProfilesWidget::sizeHint() const { return QSize(320, 240); }

void ActiveProfilesWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const QSize inner = event->size();
  CallGuarded("UserControl_Resize", [&] {
    control_->UserControl_Resize(static_cast<float>(inner.width()), static_cast<float>(inner.height()));
  });
}

}  // namespace quindo
