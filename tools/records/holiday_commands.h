#pragma once
// quindo-records calendar apply-holidays and calendar holidays: holiday rules
// applied to a calendar file, or listed by date.

#include <string>
#include <vector>

namespace quindo::records {

// args: what follows "calendar apply-holidays" (RULES FILE). Returns the exit status.
int ApplyHolidaysCommand(const std::vector<std::string>& args);

// args: what follows "calendar holidays" (RULES [--year Y]). Returns the exit status.
int HolidaysCommand(const std::vector<std::string>& args);

}  // namespace quindo::records
