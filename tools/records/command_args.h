#pragma once
// Reading the arguments of a records command: positional arguments,
// "--name value" options and "--name" switches.

#include <map>
#include <set>
#include <string>
#include <vector>

namespace quindo::records {

struct CommandArgs {
  std::vector<std::string> positional;
  std::map<std::string, std::string> options;
  std::set<std::string> switches;

  const std::string* Option(const std::string& name) const {
    const auto found = options.find(name);
    return found == options.end() ? nullptr : &found->second;
  }
  bool Switch(const std::string& name) const { return switches.count(name) != 0; }
};

// Splits args into positional arguments, options and switches. An option
// outside `allowed` and a switch outside `allowed_switches`, an option
// without its value or given twice, or a number of positional arguments
// other than `positional_count` raises CommandLineError.
CommandArgs ReadCommandArgs(const std::vector<std::string>& args, const std::vector<std::string>& allowed,
                            size_t positional_count, const std::string& usage,
                            const std::vector<std::string>& allowed_switches = {});

}  // namespace quindo::records
