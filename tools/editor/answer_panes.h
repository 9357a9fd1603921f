#pragma once
// The editor's answers for the whole open directory: the "Agenda" tab
// (every change of every profile in the next 24 hours, model/agenda) and
// the "Check" list beside the log (model/check). Both show the profiles as
// the editor holds them, unsaved edits included, and name each row's
// profile by its key, so that activating a row selects the profile.

#include <cstdint>
#include <optional>
#include <vector>

#include <QDateTime>
#include <QTreeWidget>

#include "model/schedule/schedule_answers.h"

namespace quindo {

class cCalendar;
class cProfile;
class cReceiver;

// A profile as the editor knows it: its key (tools/editor/profile_directory.h)
// and the record, null for a file that could not be read.
struct KeyedProfile {
  int16_t key = -1;
  const cProfile* profile = nullptr;
  QString unreadable_message;  // the load's messages when profile is null
};

// The minute a QDateTime shows on the wall clock; none outside 2000..2039.
std::optional<ScheduleTime> ScheduleTimeOf(const QDateTime& local);

class AgendaPane : public QTreeWidget {
  Q_OBJECT

 public:
  static constexpr int kHours = 24;
  explicit AgendaPane(QWidget* parent = nullptr);

  // Lists the changes from `from` for kHours hours (to the end of 2039 at
  // most); the calendar may be null.
  void Refresh(const std::vector<KeyedProfile>& profiles, const cCalendar* calendar, const QDateTime& from);

 signals:
  // A row was double-clicked (or Enter pressed on it).
  void profileChosen(int16_t key);
};

class CheckPane : public QTreeWidget {
  Q_OBJECT

 public:
  explicit CheckPane(QWidget* parent = nullptr);

  // The findings of the year (2000..2039); the calendar may be null.
  void Refresh(const std::vector<KeyedProfile>& profiles, const std::vector<const cReceiver*>& receivers,
               const cCalendar* calendar, int32_t year);

 signals:
  // A finding about a profile was activated.
  void profileChosen(int16_t key);
};

}  // namespace quindo
