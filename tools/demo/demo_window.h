#pragma once
// The demo host's window: the profile control, fields for its server address
// and port, and buttons that enable or disable the selected profile by name
// through the control's public members, as a host application would. Beside
// the tree, the selected profile's week chart and a month calendar whose
// dates show that schedule's periods.

#include <QString>
#include <QWidget>

class QLabel;
class QLineEdit;

namespace quindo {

class ActiveProfilesWidget;
class CalendarView;
class SchedulePane;

class DemoWindow : public QWidget {
  Q_OBJECT

 public:
  explicit DemoWindow(QWidget* parent = nullptr);

  ActiveProfilesWidget& Profiles() { return *profiles_; }
  SchedulePane& Schedule() { return *schedule_; }
  CalendarView& Calendar() { return *calendar_; }
  // The tree as text, one node per line: key, icon ([x] enabled, [ ]
  // disabled) and name.
  QString TreeAsText() const;

 private:
  void ApplyServer();
  void RequestSelected(int enabled);
  void UpdateStatus();
  QString SelectedName() const;

  ActiveProfilesWidget* profiles_;
  SchedulePane* schedule_;  // the selected profile's week chart
  CalendarView* calendar_;  // a calendar in memory, with that chart's periods
  QLineEdit* address_;
  QLineEdit* port_;
  QLabel* status_;   // link state and the selected profile's state
  QLabel* message_;  // the outcome of the last request
};

}  // namespace quindo
