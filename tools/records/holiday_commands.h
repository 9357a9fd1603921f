#pragma once
// quindo-records calendar apply-holidays and calendar holidays: holiday rules
// applied to a calendar file, or listed by date.

#include <string>
#include <vector>

namespace quindo::records {

// Each takes the arguments after its own name and returns the exit status;
// bad arguments raise CommandLineError.

// calendar apply-holidays RULES FILE
int ApplyHolidaysCommand(const std::vector<std::string>& args);

// calendar holidays RULES [--year Y]
int HolidaysCommand(const std::vector<std::string>& args);

}  // namespace quindo::records
