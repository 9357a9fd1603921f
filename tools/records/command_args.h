#pragma once
// Reading the arguments of a records command: positional arguments and
// "--name value" options.

#include <map>
#include <string>
#include <vector>

namespace quindo::records {

struct CommandArgs {
  std::vector<std::string> positional;
  std::map<std::string, std::string> options;

  const std::string* Option(const std::string& name) const {
    const auto found = options.find(name);
    return found == options.end() ? nullptr : &found->second;
  }
};

// Splits args into positional arguments and options. An option outside
// `allowed`, one without its value or given twice, or a number of positional
// arguments other than `positional_count` raises CommandLineError.
CommandArgs ReadCommandArgs(const std::vector<std::string>& args, const std::vector<std::string>& allowed,
                            size_t positional_count, const std::string& usage);

}  // namespace quindo::records
