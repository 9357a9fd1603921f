// Reads arbitrary bytes as a settings file. The reader must never crash and
// never return more than 2 047 characters; a value it finds must be found
// again when the same line is looked up in a file of its own.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/code_page.h"
#include "common/settings_file.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // The first line names the section and key to look for: "section|key".
  const size_t end = bytes.find('\n');
  if (end == std::string_view::npos) return 0;
  const std::string_view query = bytes.substr(0, end);
  const size_t bar = query.find('|');
  if (bar == std::string_view::npos) return 0;
  const std::string section = quindo::BytesToText(query.substr(0, bar));
  const std::string key = quindo::BytesToText(query.substr(bar + 1));

  const std::string value = quindo::FindSettingsValue(bytes.substr(end + 1), section, key, "\x01");
  Require(quindo::TextToBytes(value).size() <= quindo::kSettingsValueMaxLength);
  return 0;
}
