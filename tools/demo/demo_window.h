#pragma once
// The demo host's window: the profile control, fields for its server address
// and port, and buttons that enable or disable the selected profile by name
// through the control's public members, as a host application would. Beside
// the tree, the selected profile's week chart and a month calendar whose
// dates show that schedule's periods. Apply switches servers at once; the
// request buttons wait for a selected profile.

#include <string>

#include <QString>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace quindo {

class ActiveProfilesWidget;
class CalendarView;
class SchedulePane;

class DemoWindow : public QWidget {
  Q_OBJECT

 public:
  // The control takes its server from the process's command line, or from
  // the given one (the arguments after the program).
  explicit DemoWindow(QWidget* parent = nullptr);
  explicit DemoWindow(const std::string& command_line, QWidget* parent = nullptr);

  ActiveProfilesWidget& Profiles() { return *profiles_; }
  SchedulePane& Schedule() { return *schedule_; }
  CalendarView& Calendar() { return *calendar_; }
  // The tree as text, one node per line: key, icon ([x] enabled, [ ]
  // disabled), name and "(waiting for the server)" for a pending request.
  QString TreeAsText() const;
  // The link state, the tree, and the control's status line and reason
  // line when they say something: the demo's text output.
  QString StateAsText() const;

  // Asks the server to flip the profile of that name, as a host would.
  void Toggle(const QString& name);
  // Apply: the fields' server at once, or a message beside them.
  void ApplyServer();
  void UpdateStatus();

 private:
  void RequestSelected(int enabled);
  QString SelectedName() const;

  ActiveProfilesWidget* profiles_;
  SchedulePane* schedule_;  // the selected profile's week chart
  CalendarView* calendar_;  // a calendar in memory, with that chart's periods
  QLineEdit* address_;
  QLineEdit* port_;
  QLabel* server_message_;  // why Apply refused the fields
  QPushButton* enable_;
  QPushButton* disable_;
  QLabel* status_;   // link state and the selected profile's state
  QLabel* message_;  // beside the buttons: a hint, or the outcome of the last request
};

}  // namespace quindo
