#pragma once
// "Active now?" for a profile: the schedule's answer at a local time (with
// the weekday's name) as one line for the log and the answer's message, with
// the day type that decided and the next change.

#include <QDateTime>
#include <QString>

namespace quindo {

class cCalendar;
class cProfile;

// The calendar may be null. Times outside 2000..2039 are answered as such,
// never raised.
QString ActiveAtText(const cProfile& profile, const cCalendar* calendar, const QDateTime& at);

}  // namespace quindo
