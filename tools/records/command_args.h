#pragma once
// Argument reading shared by the records tool's answer and holiday commands:
// positional arguments and "--name value" options, and the exit statuses.

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace quindo::records {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// Bad usage: the message is printed with a pointer to --help (exit 2).
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct CommandArgs {
  std::vector<std::string> positional;
  std::map<std::string, std::string> options;

  const std::string* Option(const std::string& name) const {
    const auto found = options.find(name);
    return found == options.end() ? nullptr : &found->second;
  }
};

// Splits args into positional arguments and options; an option outside
// `allowed`, one without its value, one given twice, or positional arguments
// other than `positional_count` raise UsageError.
CommandArgs ReadCommandArgs(const std::vector<std::string>& args, const std::vector<std::string>& allowed,
                            size_t positional_count, const std::string& what);

// Prints "quindo-records: MESSAGE" and the --help pointer; returns 2.
int ReportUsage(const std::string& message);

}  // namespace quindo::records
