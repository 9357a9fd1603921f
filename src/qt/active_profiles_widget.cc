#include "qt/active_profiles_widget.h"

#include <QFocusEvent>
#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QResizeEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

#include "control/active_profiles.h"
#include "qt/command_line.h"
#include "qt/control_binding.h"
#include "qt/guarded_call.h"
#include "qt/profile_tree_model.h"
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
constexpr int kLineGap = 2;

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

QLabel* MakeLine(const char* name, Qt::Alignment alignment, QWidget* parent) {
  auto* line = new QLabel(parent);
  line->setObjectName(QString::fromLatin1(name));
  line->setAlignment(alignment);
  line->setWordWrap(true);
  line->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return line;
}

}  // namespace

ActiveProfilesWidget::ActiveProfilesWidget(QWidget* parent)
    : ActiveProfilesWidget(HostCommandLine(), parent) {}

ActiveProfilesWidget::ActiveProfilesWidget(const std::string& command_line, QWidget* parent)
    : QWidget(parent) {
  tree_widget_ = new ProfileTreeWidget(this);
  tree_widget_->setObjectName(QStringLiteral("TreeView_Profiles"));
  label_widget_ = MakeConnectionLabel(this);
  reason_ = MakeLine("Label_Reason", Qt::AlignHCenter | Qt::AlignTop, this);
  status_ = MakeLine("Label_Status", Qt::AlignLeft | Qt::AlignVCenter, this);
  status_->setWordWrap(false);
  command1_ = new QPushButton(QStringLiteral("Command1"), this);
  command1_->setObjectName(QStringLiteral("Command1"));
  command1_->setGeometry(Pixels(2088), Pixels(2124), Pixels(1380), Pixels(408));
  command1_->setToolTip(QStringLiteral(
      "Points the control at the alarm server on this computer, 127.0.0.1 port 58658; "
      "the link changes at the next connection attempt"));

  tree_ = std::make_unique<QtTreeView>(tree_widget_);
  label_ = std::make_unique<QtLabel>(label_widget_);
  socket_ = std::make_unique<QtSocket>();
  timer_ = std::make_unique<QtTimer>(kReconnectTimerInterval);

  // A start-up failure goes to the host that creates the widget.
  control_ = std::make_unique<ActiveProfiles>(
      ChildControls{tree_.get(), label_.get(), socket_.get(), timer_.get()}, command_line);

  // The control is one Tab stop: the tree when it is shown, else the widget
  // itself (with a focus frame around the label), so that focus never lands
  // on Command1 just because the tree is hidden.
  setFocusPolicy(Qt::StrongFocus);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  tree_widget_->installEventFilter(this);
  BindEvents();
  Refresh();
}

ActiveProfilesWidget::~ActiveProfilesWidget() {
  tree_widget_->removeEventFilter(this);
  UnbindLinkEvents(*socket_, *timer_);
  tree_widget_->on_mouse_down = nullptr;
  tree_widget_->on_click = nullptr;
  tree_widget_->on_key_down = nullptr;
  control_.reset();  // UserControl_Terminate, while the children still exist
}

void ActiveProfilesWidget::BindEvents() {
  ActiveProfiles* control = control_.get();
  BindLinkEvents(*control, *socket_, *timer_, [this] { Refresh(); });
  tree_widget_->on_mouse_down = [control](int16_t button, int16_t shift, float x, float y) {
    control->TreeView_Profiles_MouseDown(button, shift, x, y);
  };
  tree_widget_->on_click = [this, control] { RefreshAfter([control] { control->TreeView_Profiles_Click(); }); };
  tree_widget_->on_key_down = [this, control](int16_t key_code, int16_t shift) {
    RefreshAfter([&] { control->TreeView_Profiles_KeyDown(key_code, shift); });
  };
  connect(command1_, &QPushButton::clicked, this, [this, control] {
    CallGuarded("Command1_Click", [control] { control->Command1_Click(); });
    Refresh();
  });
}

QString ActiveProfilesWidget::ServerAddress() const {
  return QString::fromStdString(control_->ServerAddress());
}

void ActiveProfilesWidget::SetServerAddress(const QString& new_value) {
  control_->SetServerAddress(new_value.toStdString());
  Refresh();
}

int32_t ActiveProfilesWidget::ServerPort() const { return control_->ServerPort(); }

void ActiveProfilesWidget::SetServerPort(int32_t new_value) {
  control_->SetServerPort(new_value);
  Refresh();
}

void ActiveProfilesWidget::ProfileEnableOrDisable(const QString& profile_name, int32_t enabled) {
  RefreshAfter([&] { control_->ProfileEnableOrDisable(profile_name.toStdString(), enabled); });
}

int32_t ActiveProfilesWidget::IsProfileEnabled(const QString& profile_name) const {
  return control_->IsProfileEnabled(profile_name.toStdString());
}

int32_t ActiveProfilesWidget::IsConnectedToServer() const { return control_->IsConnectedToServer(); }

bool ActiveProfilesWidget::reportOrder() const { return tree_widget_->Nodes().ReportOrder(); }

void ActiveProfilesWidget::setReportOrder(bool report_order) { tree_widget_->Nodes().SetReportOrder(report_order); }

bool ActiveProfilesWidget::command1Visible() const { return !command1_->isHidden(); }

void ActiveProfilesWidget::setCommand1Visible(bool visible) { command1_->setVisible(visible); }

QString ActiveProfilesWidget::SwitchServer(const QString& address, int port) {
  const QString host = address.trimmed();
  if (host.isEmpty()) return QStringLiteral("Enter the server's address.");
  if (port < 1 || port > 65535) return QStringLiteral("The port must be a number from 1 to 65535.");
  control_->SetServerAddress(host.toStdString());
  control_->SetServerPort(port);
  control_->ReconnectNow();
  Refresh();
  return {};
}

QString ActiveProfilesWidget::ReasonText() const {
  return QString::fromStdString(control_->LinkStatusText());
}

QString ActiveProfilesWidget::StatusText() const {
  // With the tree on show the reason line is hidden, so a link that the
  // control dropped itself (the tree stays until the next connect) is told
  // here, before the requests that now wait in vain.
  QString text = QString::fromStdString(control_->RequestStatusText());
  if (control_->IsConnectedToServer() == 0) {
    const QString link = QStringLiteral("Not connected \u2014 ") + ReasonText();
    text = text.isEmpty() ? link : link + QStringLiteral("; ") + text;
  }
  return text;
}

QTreeView* ActiveProfilesWidget::TreeView_Profiles() const { return tree_widget_; }

QSize ActiveProfilesWidget::sizeHint() const { return QSize(320, 240); }

QSize ActiveProfilesWidget::minimumSizeHint() const {
  // The label at its design size, with the reason line under it, and
  // Command1 where it stands.
  const QRect button = command1_->geometry();
  return QSize(qMax(label_widget_->width(), button.right() + 1), qMax(180, button.bottom() + 1));
}

void ActiveProfilesWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const QSize inner = event->size();
  CallGuarded("UserControl_Resize", [&] {
    control_->UserControl_Resize(static_cast<float>(inner.width()), static_cast<float>(inner.height()));
  });
  PlaceLines();
}

void ActiveProfilesWidget::RefreshAfter(const std::function<void()>& request) {
  // Also when the request raised: an earlier one may have gone out.
  try {
    request();
  } catch (...) {
    Refresh();
    throw;
  }
  Refresh();
}

void ActiveProfilesWidget::Refresh() {
  const QString reason = ReasonText();
  reason_->setText(reason);
  reason_->setToolTip(reason);
  reason_->setVisible(!label_widget_->isHidden() && !reason.isEmpty());
  const QString status = tree_widget_->isHidden() ? QString() : StatusText();
  status_->setText(status);
  status_->setToolTip(status);
  status_->setVisible(!status.isEmpty());
  PlaceLines();
}

void ActiveProfilesWidget::PlaceLines() {
  // The reason under the label. The status line under the tree, which gives
  // up its last line for it only while it has something to say: otherwise
  // the tree fills the control, as the control lays it out.
  const int line = status_->fontMetrics().height() + 2 * kLineGap;
  const QRect label = label_widget_->geometry();
  const int reason_height = qMax(line, reason_->heightForWidth(width()));
  reason_->setGeometry(0, label.bottom() + 1 + kLineGap, width(), reason_height);
  status_->setGeometry(kLineGap, height() - line, qMax(0, width() - 2 * kLineGap), line);
  tree_widget_->resize(width(), qMax(0, height() - (status_->isHidden() ? 0 : line)));
}

void ActiveProfilesWidget::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  if (tree_widget_->isHidden()) return update();
  // Shift+Tab from the tree comes back here first: go on backwards.
  if (event->reason() == Qt::BacktabFocusReason) {
    focusPreviousChild();
  } else {
    tree_widget_->setFocus(event->reason());
  }
}

void ActiveProfilesWidget::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  if (!hasFocus()) return;
  QStylePainter painter(this);
  QStyleOptionFocusRect frame;
  frame.initFrom(this);
  frame.state |= QStyle::State_KeyboardFocusChange | QStyle::State_HasFocus;
  frame.rect = label_widget_->geometry().adjusted(-3, -3, 3, 3);
  painter.drawPrimitive(QStyle::PE_FrameFocusRect, frame);
}

bool ActiveProfilesWidget::eventFilter(QObject* watched, QEvent* event) {
  if (watched == tree_widget_) {
    // The tree comes and goes with the link; the focus goes with it between
    // the tree and the widget, never to a neighbour.
    if (event->type() == QEvent::Hide && tree_widget_->hasFocus()) setFocus(Qt::OtherFocusReason);
    if (event->type() == QEvent::Show && hasFocus()) tree_widget_->setFocus(Qt::OtherFocusReason);
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace quindo
