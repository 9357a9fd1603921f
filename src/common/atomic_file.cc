// Durable whole-file replacement: write a temporary, force it to disk, rename
// it over the file, force the directory. Without the two syncs a power cut
// after the rename can leave the renamed file empty or partial on common
// Linux file systems, the very loss the temporary was meant to prevent.

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <string_view>
#include <unistd.h>

#include "common/binary_file.h"
#include "common/error.h"
#include "common/file_system.h"

namespace quindo {
namespace {

constexpr std::string_view kTemporaryMark = ".tmp-";

std::string DirectoryOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string BaseNameOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Opens, fsyncs and closes; fsync flushes the file whoever wrote it. A name
// that is not on the disk has nothing to force: for a file the rename that
// follows reports it, and a directory that went away took the file along.
void SyncPath(const std::string& path, int flags) {
  const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT) return;
    throw FileErrorFromErrno(errno);
  }
  int error = 0;
  while (::fsync(fd) != 0) {
    if (errno == EINTR) continue;
    // Some file systems cannot sync a directory; there is nothing to force.
    if (errno != EINVAL && errno != ENOTSUP) error = errno;
    break;
  }
  ::close(fd);
  if (error != 0) throw FileErrorFromErrno(error);
}

// Tells this process's temporaries from those of an earlier process that had
// the same id (ids repeat, in a container from run to run): drawn once.
const std::string& ProcessToken() {
  static const std::string token = [] {
    std::random_device random;
    char digits[17];
    std::snprintf(digits, sizeof digits, "%08x%08x", random(), random());
    return std::string(digits);
  }();
  return token;
}

// True when the process that made a temporary ("pid-token-counter" after the
// mark) is gone: no process has its id, or the id is ours but the token is
// not. A name we cannot read is left alone.
bool OwnerIsGone(std::string_view rest) {
  const size_t dash = rest.find('-');
  if (dash == 0 || dash == std::string_view::npos) return false;
  long pid = 0;
  for (char c : rest.substr(0, dash)) {
    if (c < '0' || c > '9' || pid > 4'000'000) return false;
    pid = pid * 10 + (c - '0');
  }
  if (pid == ::getpid()) {
    // Ours may be in use by another thread.
    return !rest.substr(dash + 1).starts_with(ProcessToken() + "-");
  }
  return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

}  // namespace

std::string TemporaryNameFor(const std::string& path) {
  static std::atomic<uint64_t> counter{0};
  const size_t slash = path.rfind('/');
  const size_t base = slash == std::string::npos ? 0 : slash + 1;
  return path.substr(0, base) + "." + path.substr(base) + std::string(kTemporaryMark) +
         std::to_string(::getpid()) + "-" + ProcessToken() + "-" + std::to_string(counter++);
}

void RemoveStaleTemporaries(const std::string& path) {
  const std::string directory = DirectoryOf(path);
  const std::string prefix = "." + BaseNameOf(path) + std::string(kTemporaryMark);
  DIR* dir = ::opendir(directory.c_str());
  if (dir == nullptr) return;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name.size() <= prefix.size() || name.substr(0, prefix.size()) != prefix) continue;
    if (!OwnerIsGone(name.substr(prefix.size()))) continue;
    ::unlink((directory + "/" + std::string(name)).c_str());
  }
  ::closedir(dir);
}

void SyncFile(const std::string& path) { SyncPath(path, O_RDONLY); }

void SyncDirectoryOf(const std::string& path) {
  SyncPath(DirectoryOf(path), O_RDONLY | O_DIRECTORY);
}

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
  RemoveStaleTemporaries(path);
  const std::string temporary = TemporaryNameFor(path);
  try {
    BinaryFile file;
    file.Open(temporary, BinaryFile::Mode::kCreate);
    if (!bytes.empty()) file.WriteBytes(bytes);
    file.Close();
    SyncFile(temporary);
    RenameFile(temporary, path);
  } catch (...) {
    // Deleted without asking first: the temporary may never have been made,
    // and the failure that matters is the one being raised.
    try {
      DeleteFile(temporary);
    } catch (const Error&) {
    }
    throw;
  }
  SyncDirectoryOf(path);
}

}  // namespace quindo
