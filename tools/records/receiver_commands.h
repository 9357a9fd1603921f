#pragma once
// `quindo-records receiver show|put|list|remove|upgrade`: the receiver files
// from the command line, in the shape of the profile commands.

#include <functional>
#include <string>
#include <vector>

namespace quindo::records {

// The usage text of the receiver commands, for the tool's --help.
extern const char* const kReceiverUsage;

// Runs the receiver command `args` (the words after "receiver"). Returns the
// exit status: 0 done, 1 the operation failed, 2 bad usage or bad input.
// `load_language` loads the named language file (empty: the shipped one).
int RunReceiverCommand(const std::vector<std::string>& args,
                       const std::function<void(const std::string&)>& load_language);

}  // namespace quindo::records
