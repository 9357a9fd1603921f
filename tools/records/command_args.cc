#include "command_args.h"

#include <algorithm>

#include "command_status.h"

namespace quindo::records {

CommandArgs ReadCommandArgs(const std::vector<std::string>& args, const std::vector<std::string>& allowed,
                            size_t positional_count, const std::string& usage,
                            const std::vector<std::string>& allowed_switches) {
  const auto contains = [](const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
  };
  CommandArgs read;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!arg.starts_with("--")) {
      read.positional.push_back(arg);
      continue;
    }
    if (contains(allowed_switches, arg)) {
      read.switches.insert(arg);
      continue;
    }
    if (!contains(allowed, arg)) throw CommandLineError("unexpected argument \"" + arg + "\"");
    if (i + 1 >= args.size()) throw CommandLineError(arg + " needs a value");
    if (!read.options.emplace(arg, args[++i]).second) throw CommandLineError(arg + " is given twice");
  }
  if (read.positional.size() != positional_count) {
    throw CommandLineError("usage: quindo-records " + usage);
  }
  return read;
}

}  // namespace quindo::records
