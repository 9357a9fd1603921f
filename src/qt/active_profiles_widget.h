#pragma once
// ActiveProfilesWidget: the control as a QWidget that a Qt host places on one
// of its windows. It builds the child controls (profile tree, "Not connected"
// label, socket, 500 ms reconnect timer, the Command1 button and the icon
// set), hands them to the ActiveProfiles core, and forwards creation, resize
// and destruction to it. Host calls raise quindo::Error to the caller; events
// of the children never let an exception reach Qt.
//
// Beyond the core's children it tells the operator what the core knows: the
// reason of the last link failure and the time to the next attempt, in a
// line under "Not connected", and the requests still waiting for the server,
// marked on their rows and in a status line under the tree. The rows are
// shown by name so that a report never moves a row under the pointer; the
// name queries keep the control's tree order (the report order).

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include <QString>
#include <QWidget>

#include "common/export.h"

class QLabel;
class QPushButton;
class QTreeView;

namespace quindo {

class ActiveProfiles;
class ProfileTreeWidget;
class QtLabel;
class QtSocket;
class QtTimer;
class QtTreeView;

class QUINDO_EXPORT ActiveProfilesWidget : public QWidget {
  Q_OBJECT
  // For Designer's property editor, uic's setters and hosts that set
  // properties by name. A change of the server takes effect at the next
  // connection attempt (SwitchServer makes one at once).
  Q_PROPERTY(QString ServerAddress READ serverAddress WRITE setServerAddress)
  Q_PROPERTY(int ServerPort READ serverPort WRITE setServerPort)
  // Rows in the order of the server's reports (each report moves its row to
  // the end) instead of by name.
  Q_PROPERTY(bool ReportOrder READ reportOrder WRITE setReportOrder)
  // Whether the Command1 button, which points the control at 127.0.0.1:58658,
  // is shown.
  Q_PROPERTY(bool Command1Visible READ command1Visible WRITE setCommand1Visible)

 public:
  // Takes the address and port from the host process's command line
  // (/ServerAddress:HOST /ServerPort:PORT). A port option that overflows is
  // reported through ReportError and leaves the port 0.
  explicit ActiveProfilesWidget(QWidget* parent = nullptr);
  // The same with the given command line (the arguments after the program).
  explicit ActiveProfilesWidget(const std::string& command_line, QWidget* parent = nullptr);
  ~ActiveProfilesWidget() override;

  // The control's public members.
  QString ServerAddress() const;
  void SetServerAddress(const QString& new_value);
  int32_t ServerPort() const;
  void SetServerPort(int32_t new_value);
  void ProfileEnableOrDisable(const QString& profile_name, int32_t enabled);
  int32_t IsProfileEnabled(const QString& profile_name) const;
  int32_t IsConnectedToServer() const;

  // The properties under Qt's names.
  QString serverAddress() const { return ServerAddress(); }
  void setServerAddress(const QString& address) { SetServerAddress(address); }
  int serverPort() const { return ServerPort(); }
  void setServerPort(int port) { SetServerPort(port); }
  bool reportOrder() const;
  void setReportOrder(bool report_order);
  bool command1Visible() const;
  void setCommand1Visible(bool visible);

  // For an operator's Apply: takes the address and port and, when they can
  // be used, drops the link so that the next tick connects to them. Returns
  // why they cannot be used (an empty address, a port outside 1..65535),
  // changing nothing then; an empty text when done.
  QString SwitchServer(const QString& address, int port);

  // What the operator reads beside the label and under the tree: the
  // reason line while the link is down ("Connection refused
  // (127.0.0.1:47001); next attempt in 7 s") and the status line.
  QString ReasonText() const;
  QString StatusText() const;

  // The core and the children, for hosts that need more and for tests.
  ActiveProfiles& Control() { return *control_; }
  QTreeView* TreeView_Profiles() const;
  QLabel* Label_Connection() const { return label_widget_; }
  QLabel* Label_Reason() const { return reason_; }
  QLabel* Label_Status() const { return status_; }
  QPushButton* Command1() const { return command1_; }
  // The tree as the control sees it: keys, texts and image ids.
  const QtTreeView& TreeNodes() const { return *tree_; }
  QtSocket& Winsock_Quindo() { return *socket_; }
  QtTimer& Timer_Reconnect() { return *timer_; }

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BindEvents();
  // Brings the reason and status lines up to date and lays them out; runs
  // after every event that reaches the core.
  void Refresh();
  void RefreshAfter(const std::function<void()>& request);
  void PlaceLines();

  ProfileTreeWidget* tree_widget_;
  QLabel* label_widget_;
  QLabel* reason_;
  QLabel* status_;
  QPushButton* command1_;
  std::unique_ptr<QtTreeView> tree_;
  std::unique_ptr<QtLabel> label_;
  std::unique_ptr<QtSocket> socket_;
  std::unique_ptr<QtTimer> timer_;
  // Declared last so that it goes first: its Terminate closes the socket.
  std::unique_ptr<ActiveProfiles> control_;
};

}  // namespace quindo
