#pragma once
// ActiveProfilesWidget: the control as a QWidget that a Qt host places on one
// of its windows. It builds the child controls (profile tree, "Not connected"
// label, socket, 500 ms reconnect timer, the Command1 button and the icon
// set), hands them to the ActiveProfiles core, and forwards creation, resize
// and destruction to it. Host calls raise quindo::Error to the caller; events
// of the children never let an exception reach Qt.

#include <cstdint>
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
  // The control's two properties, for Designer's property editor and for
  // hosts that set properties by name.
  Q_PROPERTY(QString ServerAddress READ ServerAddress WRITE SetServerAddress)
  Q_PROPERTY(int ServerPort READ ServerPort WRITE SetServerPort)

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

  // The core and the children, for hosts that need more and for tests.
  ActiveProfiles& Control() { return *control_; }
  QTreeView* TreeView_Profiles() const;
  QLabel* Label_Connection() const { return label_widget_; }
  QPushButton* Command1() const { return command1_; }
  // The tree as the control sees it: keys, texts and image ids.
  const QtTreeView& TreeNodes() const { return *tree_; }
  QtSocket& Winsock_Quindo() { return *socket_; }
  QtTimer& Timer_Reconnect() { return *timer_; }

  QSize sizeHint() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void BindEvents();

  ProfileTreeWidget* tree_widget_;
  QLabel* label_widget_;
  QPushButton* command1_;
  std::unique_ptr<QtTreeView> tree_;
  std::unique_ptr<QtLabel> label_;
  std::unique_ptr<QtSocket> socket_;
  std::unique_ptr<QtTimer> timer_;
  // Declared last so that it goes first: its Terminate closes the socket.
  std::unique_ptr<ActiveProfiles> control_;
};

}  // namespace quindo
