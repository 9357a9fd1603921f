// Durable whole-file replacement: write a temporary, force it to disk, rename
// it over the file, force the directory. Without the two syncs a power cut
// after the rename can leave the renamed file empty or partial on common
// Linux file systems, the very loss the temporary was meant to prevent.

#include <atomic>
#include <cerrno>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <string_view>
#include <unistd.h>

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

// Opens, fsyncs and closes; fsync flushes the file whoever wrote it.
void SyncPath(const std::string& path, int flags) {
  const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
  if (fd < 0) throw FileErrorFromErrno(errno);
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

// Writes every byte to fd; returns 0 or the errno of the failure.
int WriteAll(int fd, std::string_view bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) return ENOSPC;
    done += static_cast<size_t>(n);
  }
  return 0;
}

// True when the process that made a temporary is gone. The process id sits
// between the mark and the next "-"; a name we cannot read is left alone.
bool OwnerIsGone(std::string_view rest) {
  const size_t dash = rest.find('-');
  if (dash == 0 || dash == std::string_view::npos) return false;
  long pid = 0;
  for (char c : rest.substr(0, dash)) {
    if (c < '0' || c > '9' || pid > 4'000'000) return false;
    pid = pid * 10 + (c - '0');
  }
  if (pid == ::getpid()) return false;  // ours may be in use by another thread
  return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

}  // namespace

std::string TemporaryNameFor(const std::string& path) {
  static std::atomic<uint64_t> counter{0};
  const size_t slash = path.rfind('/');
  const size_t base = slash == std::string::npos ? 0 : slash + 1;
  return path.substr(0, base) + "." + path.substr(base) + std::string(kTemporaryMark) +
         std::to_string(::getpid()) + "-" + std::to_string(counter++);
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
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) throw FileErrorFromErrno(errno);
  int error = WriteAll(fd, bytes);
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && std::rename(temporary.c_str(), path.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temporary.c_str());
    throw FileErrorFromErrno(error);
  }
  SyncDirectoryOf(path);
}

}  // namespace quindo
