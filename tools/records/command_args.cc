#include "command_args.h"

#include <algorithm>
#include <iostream>

namespace quindo::records {

CommandArgs ReadCommandArgs(const std::vector<std::string>& args, const std::vector<std::string>& allowed,
                            size_t positional_count, const std::string& what) {
  CommandArgs read;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!arg.starts_with("--")) {
      read.positional.push_back(arg);
      continue;
    }
    if (std::find(allowed.begin(), allowed.end(), arg) == allowed.end()) {
      throw UsageError("unexpected argument \"" + arg + "\"");
    }
    if (i + 1 >= args.size()) throw UsageError(arg + " needs a value");
    if (!read.options.emplace(arg, args[++i]).second) throw UsageError(arg + " is given twice");
  }
  if (read.positional.size() != positional_count) {
    throw UsageError(what + (read.positional.size() < positional_count ? ": missing arguments"
                                                                       : ": too many arguments"));
  }
  return read;
}

int ReportUsage(const std::string& message) {
  std::cerr << "quindo-records: " << message << "\nTry 'quindo-records --help'.\n";
  return kExitUsage;
}

}  // namespace quindo::records
