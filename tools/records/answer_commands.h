#pragma once
// quindo-records profile active: whether a profile's schedule is active at a
// local date and time, what decided it, and when that next changes.

#include <string>
#include <vector>

namespace quindo::records {

using LanguageLoader = void (*)(const std::string& named_file);

// args: what follows "profile active". Returns the exit status; bad
// arguments raise CommandLineError.
int ProfileActiveCommand(const std::vector<std::string>& args, LanguageLoader load_language);

}  // namespace quindo::records
