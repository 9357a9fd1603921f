#include "messages.h"

#include <cstdio>
#include <vector>

#include "common/language.h"

namespace quindo::records {
namespace {

std::string& MessageCommand() {
  static std::string command;
  return command;
}

std::vector<std::string>& RecordReports() {
  static std::vector<std::string> reports;
  return reports;
}

// The length of the valid UTF-8 sequence at the start of `text`, or 0.
size_t Utf8SequenceLength(std::string_view text) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  size_t length = 0;
  char32_t code = 0;
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, code = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, code = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, code = lead & 0x07;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  for (size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(i) & 0x3F);
  }
  const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
  const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  return overlong || surrogate || code > 0x10FFFF ? 0 : length;
}

void WriteError(const std::string& line) { std::fwrite(line.data(), 1, line.size(), stderr); }

}  // namespace

CommandError UnstorableTextError(const std::string& field, const std::string& character) {
  return CommandError(kExitBadInput,
                      field + ": \"" + character + "\" cannot be stored in the code page (--lossy stores it as \"?\")",
                      MessageShape::kProgram);
}

std::string Printable(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  while (!text.empty()) {
    const auto byte = static_cast<unsigned char>(text[0]);
    const size_t length = Utf8SequenceLength(text);
    if (length == 0 || byte < 0x20 || byte == 0x7F) {
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
      text.remove_prefix(1);
    } else {
      out += text.substr(0, length);
      text.remove_prefix(length);
    }
  }
  return out;
}

void SetMessageCommand(std::string command) { MessageCommand() = std::move(command); }

void SayLine(const std::string& what, MessageShape shape) {
  std::string line;
  if (shape != MessageShape::kBare) line = "quindo-records: ";
  if (shape == MessageShape::kCommand && !MessageCommand().empty()) line += MessageCommand() + ": ";
  WriteError(line + Printable(what) + "\n");
}

void CollectRecordReports() {
  SetReportErrorHandler([](const std::string& message) { RecordReports().push_back(message); });
}

void FlushRecordReports() {
  for (const std::string& report : RecordReports()) WriteError(Printable(report) + "\n");
  RecordReports().clear();
}

std::string TakeRecordReports() {
  std::string joined;
  for (const std::string& report : RecordReports()) joined += (joined.empty() ? "" : "; ") + report;
  RecordReports().clear();
  return joined;
}

void Print(std::string_view text) { std::fwrite(text.data(), 1, text.size(), stdout); }

}  // namespace quindo::records
