#pragma once
// quindo-records calendar: the subcommands on calendar files. Each takes the
// arguments after its own name and returns the exit status; bad arguments
// raise CommandLineError.

#include <memory>
#include <string>
#include <vector>

#include "model/calendar/calendar.h"

namespace quindo::records {

// Runs `calendar SUBCOMMAND ARGS...`; `args` starts with the subcommand.
int RunCalendarCommand(const std::vector<std::string>& args);

// calendar show FILE [--read-only]
int CalendarShow(const std::vector<std::string>& args);
// calendar set FILE DATE TYPE [DATE TYPE]...
int CalendarSet(const std::vector<std::string>& args);
// calendar diff FILE1 FILE2 [--read-only]
int CalendarDiff(const std::vector<std::string>& args);

// The calendar that a command changing FILE starts from: the file's own when
// it is an ordinary visible file, a new one when nothing has the name.
// nullptr, with the reason on standard error, for a file that cannot be
// read, or a name taken by what is no ordinary visible file (a hidden file,
// a directory, a device): a calendar saved over it would lose what it holds.
std::unique_ptr<cCalendar> LoadCalendarForChange(const std::string& name);

// "YYYY-MM-DD" of a real date inside 2000..2039 as its day number; anything
// else raises CommandLineError naming `what`.
int32_t ParseCalendarDate(const std::string& text, const std::string& what);
std::string FormatCalendarDate(int32_t day_number);

}  // namespace quindo::records
