#pragma once
// The calendar files that commands read and change, with the same messages
// everywhere: each failure raises CommandError naming the file, in one line.

#include <memory>
#include <string>

#include "model/calendar/calendar.h"

namespace quindo::records {

// Loads calendar file `name`. A missing file, a name that is no ordinary
// visible file (a directory, a hidden file, a device) or a file that cannot
// be read raises CommandError with `status` (1 for most commands; 2 for
// calendar diff, whose 1 means "different").
std::unique_ptr<cCalendar> LoadCalendar(const std::string& name, int status);

// The calendar that a command changing `name` starts from: the file's own
// when it is an ordinary visible file, a new one when nothing has the name.
// A name taken by what is no ordinary visible file is refused (status 1): a
// calendar saved over it would lose what it holds.
std::unique_ptr<cCalendar> LoadCalendarForChange(const std::string& name);

// Saves the calendar as `name`; a failure raises CommandError (status 1).
void SaveCalendar(const cCalendar& calendar, const std::string& name);

}  // namespace quindo::records
