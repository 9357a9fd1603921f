#include "command_line.h"

#include <algorithm>
#include <array>

#include "messages.h"

namespace quindo::records {
namespace {

// Options that take a value; every other option is a switch. One table for
// all commands, so that an option means the same wherever it is given.
constexpr std::array kValueOptions = {
    "--at",       "--calendar", "--data-dir", "--day-type", "--from",           "--holidays",
    "--hours",    "--language", "--last",     "--month",    "--png",            "--profile",
    "--receiver-types", "--redundancy-role", "--to", "--today", "--year",
};
constexpr std::array kSwitches = {
    "--all", "--help", "--ics", "--json", "--jsonl", "--lossy", "--read-only", "--utc", "--version",
    "--view-day-types",
};

bool IsSwitch(std::string_view name) {
  return std::find(kSwitches.begin(), kSwitches.end(), name) != kSwitches.end();
}

// "-1" and "-" are operands (a day type, standard input); "-x" is no option
// of this program.
bool IsOperand(const std::string& arg) {
  return arg.size() < 2 || arg[0] != '-' || (arg[1] >= '0' && arg[1] <= '9');
}

}  // namespace

const std::string* Invocation::Value(std::string_view name) const {
  const auto found = values.find(std::string(name));
  return found == values.end() ? nullptr : &found->second;
}

bool Invocation::Has(std::string_view name) const {
  return switches.count(std::string(name)) != 0 || values.count(std::string(name)) != 0;
}

bool TakesValue(std::string_view name) {
  return std::find(kValueOptions.begin(), kValueOptions.end(), name) != kValueOptions.end();
}

Invocation ReadArguments(const std::vector<std::string>& args) {
  Invocation read;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--") {
      read.words.insert(read.words.end(), args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
      break;
    }
    if (IsOperand(arg)) {
      read.words.push_back(arg);
      continue;
    }
    if (arg == "-h") {
      read.switches.insert("--help");
      continue;
    }
    const size_t equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    if (!arg.starts_with("--") || (!TakesValue(name) && !IsSwitch(name))) {
      throw UsageError("unknown option " + name);
    }
    if (IsSwitch(name)) {
      if (equals != std::string::npos) throw UsageError(name + " takes no value");
      read.switches.insert(name);
      continue;
    }
    std::string value;
    if (equals != std::string::npos) {
      value = arg.substr(equals + 1);
    } else if (i + 1 < args.size()) {
      value = args[++i];
    } else {
      throw UsageError(name + " needs a value");
    }
    if (!read.values.emplace(name, std::move(value)).second) throw UsageError(name + " is given twice");
  }
  return read;
}

}  // namespace quindo::records
