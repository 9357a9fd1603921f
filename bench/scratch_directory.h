// A folder under /tmp for one benchmark program's files, made on first use
// and removed with everything in it when the program ends.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>

namespace quindo::bench {

struct ScratchDirectory {
  explicit ScratchDirectory(std::string pattern) {
    pattern += ".XXXXXX";
    path = ::mkdtemp(pattern.data());
  }
  ~ScratchDirectory() { std::filesystem::remove_all(path); }
  std::string path;
};

}  // namespace quindo::bench
