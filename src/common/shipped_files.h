#pragma once
// The files the programs ship beside them (the language texts), found
// without any path compiled in, so that an installed tree can be moved:
//
//   - $QUINDO_DATA_DIR/RELATIVE when QUINDO_DATA_DIR is set (and only there);
//   - else DIR/share/quindo/RELATIVE for the nearest DIR that holds it,
//     from the program's own folder upwards: PREFIX/share/quindo beside
//     PREFIX/bin when installed, and the build tree's root, which mirrors
//     share/quindo, for a program or test run from the build.
//
// These are the programs' own files, not the record files under the
// data directory (DataDirectory, --data-dir).

#include <optional>
#include <string>
#include <string_view>

namespace quindo {

// The shipped file at `relative` ("language/english.txt"), or nothing when
// none of the places above holds it. `program_folder` is where the walk
// starts; empty means the folder of the running program.
std::optional<std::string> FindShippedFile(std::string_view relative, const std::string& program_folder = {});

// The shipped English language file.
inline std::optional<std::string> FindShippedLanguageFile() {
  return FindShippedFile("language/english.txt");
}

}  // namespace quindo
