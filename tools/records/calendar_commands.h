#pragma once
// quindo-records calendar: the subcommands on calendar files. Each takes the
// arguments after its own name and returns the exit status; bad arguments
// raise CommandLineError.

#include <string>
#include <vector>

namespace quindo::records {

// Runs `calendar SUBCOMMAND ARGS...`; `args` starts with the subcommand.
int RunCalendarCommand(const std::vector<std::string>& args);

// calendar show FILE
int CalendarShow(const std::vector<std::string>& args);
// calendar set FILE DATE TYPE [DATE TYPE]...
int CalendarSet(const std::vector<std::string>& args);
// calendar diff FILE1 FILE2
int CalendarDiff(const std::vector<std::string>& args);

// "YYYY-MM-DD" of a real date inside 2000..2039 as its day number; anything
// else raises CommandLineError naming `what`.
int32_t ParseCalendarDate(const std::string& text, const std::string& what);
std::string FormatCalendarDate(int32_t day_number);

}  // namespace quindo::records
