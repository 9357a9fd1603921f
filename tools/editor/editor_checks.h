#pragma once
// The checks the editor makes before it writes or takes in a record, as
// plain functions over records and texts, so that tests need no window.

#include <cstdint>
#include <vector>

#include <QString>

#include "model/schedule/time_schedule_period.h"

namespace quindo {

class cProfile;
class cReceiver;
class cTimeSchedule;
class Error;

// "Err:N description", as the record classes write a failure.
QString ErrorText(const Error& error);

// The language file's name of a schedule day type, or "Day type N".
QString DayTypeName(int16_t day_type);

// Record files hold texts in the active code page, which a character it
// lacks would silently turn into "?". The first text field that holds such
// a character, as "the field 'Name' holds 'Ω'"; empty when every text fits.
QString UnstorableProfileText(const cProfile& profile);
QString UnstorableReceiverText(const cReceiver& receiver);

// Periods not stored as the editing operations make them: outside
// 00:00-24:00 or with the start at or after the stop (period_cover.h says
// what they mean).
struct OddPeriod {
  int16_t day_type = 0;
  PeriodRef period;
};
std::vector<OddPeriod> FindOddPeriods(const cTimeSchedule& schedule);
// "Monday [900, 100]: starts at or after its stop, covers nothing".
QString DescribeOddPeriod(const OddPeriod& odd);
void DropPeriods(cTimeSchedule& schedule, const std::vector<OddPeriod>& periods);

// What the week chart made of a typed start and stop (ParseTimeText, a
// start after the stop swapped) where that is not what was typed: a time
// past 24:00 cut, a text with no digits read as 00:00, the two swapped.
// Empty when the typed times were taken as they are.
QString TypedTimeNote(const QString& start, const QString& stop);

}  // namespace quindo
