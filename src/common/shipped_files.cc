#include "common/shipped_files.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace quindo {
namespace {

namespace fs = std::filesystem;

bool IsFile(const fs::path& path) {
  std::error_code error;
  return fs::is_regular_file(path, error);
}

// The running program's folder; empty when the system does not say.
fs::path ProgramFolder() {
  std::error_code error;
  const fs::path self = fs::read_symlink("/proc/self/exe", error);
  return error ? fs::path() : self.parent_path();
}

}  // namespace

std::optional<std::string> FindShippedFile(std::string_view relative, const std::string& program_folder) {
  if (const char* override_dir = std::getenv("QUINDO_DATA_DIR"); override_dir && *override_dir) {
    const fs::path candidate = fs::path(override_dir) / relative;
    if (IsFile(candidate)) return candidate.string();
    return std::nullopt;
  }
  fs::path folder = program_folder.empty() ? ProgramFolder() : fs::path(program_folder);
  while (!folder.empty()) {
    const fs::path candidate = folder / "share" / "quindo" / relative;
    if (IsFile(candidate)) return candidate.string();
    if (folder == folder.parent_path()) break;  // the root
    folder = folder.parent_path();
  }
  return std::nullopt;
}

}  // namespace quindo
