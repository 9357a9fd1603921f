#pragma once
// The text of quindo-records --help: every command of the build with its
// synopsis and help (command.h), then the options, the JSON fields and the
// exit statuses.

#include <string>

namespace quindo::records {

std::string HelpText();

}  // namespace quindo::records
