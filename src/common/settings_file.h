#pragma once
// Reads one value of a sectioned settings file, the text format of the
// receiver types' settings files:
//
//   [Section]
//   Key = Value
//
// The rules are those of the platform's profile-string read, so that files
// written for it read the same here: section and key match without regard to
// case; blanks around section names, keys and values are dropped; a value in
// matching single or double quotes loses them; the first matching section
// and the first matching key in it win; lines without "=" are ignored; lines
// end in CR LF or LF. The file is in the code page.

#include <string>
#include <string_view>
#include "common/export.h"

namespace quindo {

// The longest value returned, in code-page characters (a 2 048-character
// buffer with its terminating zero).
constexpr size_t kSettingsValueMaxLength = 2047;

// The value of `key` in `section` of the settings file content `bytes`, or
// `default_value` when the section or key is missing. At most 2 047
// characters, decoded through the code page. Never raises.
QUINDO_EXPORT std::string FindSettingsValue(std::string_view bytes, std::string_view section,
                              std::string_view key, const std::string& default_value);

// The longest settings file read: a longer one (or an endless one) is no
// settings file, and reads as an unreadable one.
constexpr size_t kSettingsFileMaxBytes = 1 << 20;

// The content of the settings file DataDirectory() + file_name; raises the
// file's error, and 6 "File too large" beyond kSettingsFileMaxBytes.
QUINDO_EXPORT std::string ReadSettingsFile(const std::string& file_name);

// Reads the file DataDirectory() + file_name; a missing, unreadable or
// longer than kSettingsFileMaxBytes file gives the default. Never raises.
QUINDO_EXPORT std::string GetSettingsFileValue(const std::string& section, const std::string& key,
                                 const std::string& default_value, const std::string& file_name);

}  // namespace quindo
