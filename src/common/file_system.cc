#include "common/file_system.h"

#include <random>

#include "common/disk_file_system.h"

namespace quindo {
namespace {

thread_local FileSystem* active_files = nullptr;

std::mt19937_64& Generator() {
  thread_local std::mt19937_64 generator{std::random_device{}()};
  return generator;
}

}  // namespace

FileSystem& ActiveFileSystem() {
  if (active_files != nullptr) return *active_files;
  static DiskFileSystem disk;
  return disk;
}

void SetActiveFileSystem(FileSystem* files) { active_files = files; }

bool FileExists(const std::string& path) {
  // A name starting with "." is hidden, like a file with the hidden
  // attribute, which a directory search for ordinary files passes over.
  const size_t slash = path.rfind('/');
  const size_t base = slash == std::string::npos ? 0 : slash + 1;
  if (base >= path.size() || path[base] == '.') return false;
  return ActiveFileSystem().FileExists(path);
}
bool DirectoryExists(const std::string& path) { return ActiveFileSystem().DirectoryExists(path); }
void DeleteFile(const std::string& path) { ActiveFileSystem().DeleteFile(path); }
void AppendToFile(const std::string& path, std::string_view bytes) { ActiveFileSystem().AppendToFile(path, bytes); }
void RenameFile(const std::string& from, const std::string& to) { ActiveFileSystem().RenameFile(from, to); }
std::vector<std::string> ListFiles(const std::string& directory) { return ActiveFileSystem().ListFiles(directory); }
void SyncFile(const std::string& path) { ActiveFileSystem().SyncFile(path); }
void SyncDirectoryOf(const std::string& path) { ActiveFileSystem().SyncDirectoryOf(path); }

double Rnd() { return std::uniform_real_distribution<double>(0.0, 1.0)(Generator()); }

void SeedRnd(uint64_t seed) { Generator().seed(seed); }

}  // namespace quindo
