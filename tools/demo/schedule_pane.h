#pragma once
// The demo's week chart: the schedule of the profile selected in the tree,
// taken from the simulator's built-in sample profiles (the control keeps no
// schedules of its own). Edits change the demo's copy only, and the pane
// says so.

#include <map>
#include <memory>

#include <QString>
#include <QWidget>

class QLabel;

namespace quindo {

class cProfile;
class TimeScheduleView;

class SchedulePane : public QWidget {
  Q_OBJECT

 public:
  explicit SchedulePane(QWidget* parent = nullptr);
  ~SchedulePane() override;

  // Shows the sample profile of that name; other names leave the pane as it is.
  void ShowProfile(const QString& name);
  const QString& ShownName() const { return shown_; }
  // Says "(removed)" in the title while the shown profile is no longer on
  // the server.
  void SetRemoved(bool removed);
  TimeScheduleView& View() { return *view_; }

 private:
  std::map<QString, std::unique_ptr<cProfile>> profiles_;
  QString shown_;
  bool removed_ = false;
  QLabel* title_;
  QLabel* edited_;
  TimeScheduleView* view_;
};

}  // namespace quindo
