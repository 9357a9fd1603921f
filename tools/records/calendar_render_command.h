#pragma once
// quindo-records calendar render: a month of a calendar file as a PNG, drawn
// by the month view's own painting.

#include <functional>
#include <string>
#include <vector>

namespace quindo::records {

// The usage lines of the command, for the program's --help.
extern const char* const kCalendarRenderUsage;

// Runs "calendar render" with the arguments after those two words. Loads
// the language texts through `load_language` (given the --language value,
// empty for the default). Returns the exit status: 0 written, 1 the calendar,
// profile or image failed, 2 bad usage (a month outside 2000-01..2039-12
// included).
int RunCalendarRender(const std::vector<std::string>& args,
                      const std::function<void(const std::string&)>& load_language);

}  // namespace quindo::records
