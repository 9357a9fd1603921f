#include "common/file_system.h"

#include <algorithm>
#include <random>

#include "common/disk_file_system.h"
#include "common/error.h"

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
void RenameFile(const std::string& from, const std::string& to) { ActiveFileSystem().RenameFile(from, to); }
std::vector<std::string> ListFiles(const std::string& directory) { return ActiveFileSystem().ListFiles(directory); }
void SyncFile(const std::string& path) { ActiveFileSystem().SyncFile(path); }
void SyncDirectoryOf(const std::string& path) { ActiveFileSystem().SyncDirectoryOf(path); }

int64_t AppendAtEnd(OpenFile& file, std::string_view bytes) {
  file.Lock(LockKind::kExclusive);
  int64_t start = 0;
  try {
    start = file.Size();
    try {
      file.WriteAt(start, bytes.data(), bytes.size());
      file.SyncData();
    } catch (...) {
      // A part of the bytes would be read as the start of a record and eat
      // the next append; the failure that matters is the write's.
      try {
        file.Truncate(start);
      } catch (const Error&) {
      }
      throw;
    }
  } catch (...) {
    file.Unlock();
    throw;
  }
  file.Unlock();
  return start;
}

void AppendToFile(const std::string& path, std::string_view bytes) {
  FileSystem& files = ActiveFileSystem();
  const bool created = !files.FileExists(path);
  auto file = files.Open(path, OpenMode::kAppend);
  AppendAtEnd(*file, bytes);
  file->Close();
  if (created) SyncDirectoryOf(path);
}

std::string ReadWholeFile(const std::string& path, size_t limit) {
  const Error too_large(kOverflow, "File too large");
  auto file = ActiveFileSystem().Open(path, OpenMode::kRead);
  if (file->Size() > static_cast<int64_t>(limit)) throw too_large;
  // One byte more than the limit tells a file that grew meanwhile.
  std::string content(static_cast<size_t>(file->Size()) + 1, '\0');
  size_t done = 0;
  while (done < content.size()) {
    const size_t n = file->ReadAt(static_cast<int64_t>(done), content.data() + done, content.size() - done);
    if (n == 0) break;
    done += n;
    if (done > limit) throw too_large;
    if (done == content.size()) content.resize(std::min(limit + 1, content.size() * 2));
  }
  content.resize(done);
  file->Close();
  return content;
}

double Rnd() { return std::uniform_real_distribution<double>(0.0, 1.0)(Generator()); }

void SeedRnd(uint64_t seed) { Generator().seed(seed); }

}  // namespace quindo
