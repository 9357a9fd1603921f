#include "common/settings_file.h"

#include <exception>

#include "common/file_system.h"
#include "common/code_page.h"
#include "common/settings.h"

namespace quindo {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Names compare as the texts they stand for, without regard to case.
bool SameName(std::string_view file_bytes, std::string_view name) {
  return UpperCase(BytesToText(file_bytes)) == UpperCase(name);
}

std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return value;
}

}  // namespace

std::string FindSettingsValue(std::string_view bytes, std::string_view section,
                              std::string_view key, const std::string& default_value) {
  bool in_section = false;
  bool section_seen = false;
  while (!bytes.empty()) {
    const size_t end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end);
    bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    line = Trim(line);
    if (line.starts_with('[')) {
      // Only the first section of the name is searched.
      if (section_seen) break;
      const size_t close = line.find(']');
      in_section = SameName(Trim(line.substr(1, close == std::string_view::npos ? close : close - 1)),
                            section);
      section_seen = in_section;
      continue;
    }
    if (!in_section) continue;
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos || !SameName(Trim(line.substr(0, equals)), key)) continue;
    std::string_view value = Unquote(Trim(line.substr(equals + 1)));
    return BytesToText(value.substr(0, kSettingsValueMaxLength));
  }
  return BytesToText(TextToBytes(default_value).substr(0, kSettingsValueMaxLength));
}

std::string ReadSettingsFile(const std::string& file_name) {
  return ReadWholeFile(DataDirectory() + file_name, kSettingsFileMaxBytes);
}

std::string GetSettingsFileValue(const std::string& section, const std::string& key,
                                 const std::string& default_value, const std::string& file_name) {
  std::string bytes;
  try {
    bytes = ReadSettingsFile(file_name);
  } catch (const std::exception&) {
    bytes.clear();  // a missing or unreadable file reads as one without the section
  }
  return FindSettingsValue(bytes, section, key, default_value);
}

}  // namespace quindo
