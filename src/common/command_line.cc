#include "common/command_line.h"

namespace quindo {
namespace {

// Option names are ASCII, so an ASCII upper case keeps every byte position
// of the command line, which the search below relies on.
std::string AsciiUpper(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

void TrimSpaces(std::string& text) {
  const size_t last = text.find_last_not_of(' ');
  if (last == std::string::npos) {
    text.clear();
    return;
  }
  text.erase(last + 1);
  text.erase(0, text.find_first_not_of(' '));
}

}  // namespace

std::string GetCommandLineParameter(std::string_view name, std::string_view command_line) {
  std::string option(1, '/');
  option += AsciiUpper(name);
  option += ':';
  const size_t found = AsciiUpper(command_line).find(option);
  if (found == std::string::npos) return std::string();

  std::string result;
  bool in_quotes = false;
  for (size_t i = found + option.size(); i < command_line.size(); ++i) {
    const char c = command_line[i];
    if (c == '"') {
      in_quotes = !in_quotes;
      if (in_quotes) result.clear();
    } else if (!in_quotes && c == '/') {
      break;
    } else {
      result += c;
      // Trimming after every unquoted character keeps blanks inside a quoted
      // value only while nothing unquoted follows it.
      if (!in_quotes) TrimSpaces(result);
    }
  }
  return result;
}

}  // namespace quindo
