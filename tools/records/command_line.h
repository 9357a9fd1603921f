#pragma once
// The one reader of quindo-records' arguments, GNU style: options may stand
// before or after the command words and the operands, as "--name VALUE" or
// "--name=VALUE"; "--" ends the options; "-" and negative numbers ("-1") are
// operands. An unknown option, an option without its value, a value given to
// a switch and a single-valued option given twice are refused (status 2)
// by every command alike.

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace quindo::records {

// What the arguments said.
struct Invocation {
  std::vector<std::string> words;     // the non-option arguments, command words first
  std::vector<std::string> operands;  // the words after the command's own
  std::map<std::string, std::string> values;  // options with a value
  std::set<std::string> switches;     // options without one

  const std::string* Value(std::string_view name) const;
  bool Has(std::string_view name) const;
};

// Every option of the program, with or without a value. Raises CommandError
// (status 2) for arguments it cannot read.
Invocation ReadArguments(const std::vector<std::string>& args);

// True when `name` takes a value ("--png") rather than being a switch.
bool TakesValue(std::string_view name);

}  // namespace quindo::records
