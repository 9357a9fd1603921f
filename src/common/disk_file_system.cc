#include "common/disk_file_system.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/error.h"

namespace quindo {
namespace {

// Symbolic links followed before a chain counts as a loop, as the kernel does.
constexpr int kMaxLinks = 40;

// Runs a call again while a signal interrupts it.
template <typename Call>
auto Retry(Call&& call) {
  for (;;) {
    const auto result = call();
    if (result >= 0 || errno != EINTR) return result;
  }
}

// A descriptor held from Open to Close, so that the file a call opened is the
// one it reads and writes even if its name changes meanwhile.
class DiskFile : public OpenFile {
 public:
  explicit DiskFile(int fd) : fd_(fd) {}
  ~DiskFile() override {
    if (fd_ >= 0) ::close(fd_);
  }

  int64_t Size() override {
    struct stat info{};
    if (::fstat(fd_, &info) != 0) throw FileErrorFromErrno(errno);
    return info.st_size;
  }

  size_t ReadAt(int64_t offset, char* data, size_t size) override {
    size_t done = 0;
    while (done < size) {
      const ssize_t n = Retry([&] { return ::pread(fd_, data + done, size - done, static_cast<off_t>(offset + done)); });
      if (n < 0) throw FileErrorFromErrno(errno);
      if (n == 0) break;
      done += static_cast<size_t>(n);
    }
    return done;
  }

  void WriteAt(int64_t offset, const char* data, size_t size) override {
    size_t done = 0;
    while (done < size) {
      const ssize_t n = Retry([&] { return ::pwrite(fd_, data + done, size - done, static_cast<off_t>(offset + done)); });
      if (n < 0) throw FileErrorFromErrno(errno);
      if (n == 0) throw FileErrorFromErrno(ENOSPC);
      done += static_cast<size_t>(n);
    }
  }

  void Truncate(int64_t length) override {
    if (Retry([&] { return ::ftruncate(fd_, static_cast<off_t>(length)); }) != 0) throw FileErrorFromErrno(errno);
  }

  void Sync() override {
    if (Retry([&] { return ::fsync(fd_); }) != 0) throw FileErrorFromErrno(errno);
  }

  void SyncData() override {
    if (Retry([&] { return ::fdatasync(fd_); }) != 0) throw FileErrorFromErrno(errno);
  }

  void Lock(LockKind kind) override {
    const int operation = kind == LockKind::kShared ? LOCK_SH : LOCK_EX;
    if (Retry([&] { return ::flock(fd_, operation); }) != 0) throw FileErrorFromErrno(errno);
  }

  void Unlock() override { ::flock(fd_, LOCK_UN); }

  void Close() override {
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) throw FileErrorFromErrno(errno);
  }

 private:
  int fd_;
};

// The lock is the descriptor's: closing it releases the lock.
class DiskFileLock : public FileLock {
 public:
  explicit DiskFileLock(int fd) : fd_(fd) {}
  ~DiskFileLock() override { ::close(fd_); }

 private:
  int fd_;
};

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

std::string DirectoryOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

}  // namespace

std::unique_ptr<OpenFile> DiskFileSystem::Open(const std::string& path, OpenMode mode) {
  // Not blocking: a pipe or a device in a record file's place must not hang
  // the open; it is refused below (ordinary files ignore the flag).
  int flags = O_CLOEXEC | O_NONBLOCK;
  switch (mode) {
    case OpenMode::kRead: flags |= O_RDONLY; break;
    case OpenMode::kReadWrite: flags |= O_RDWR | O_CREAT; break;
    case OpenMode::kCreate: flags |= O_RDWR | O_CREAT | O_TRUNC; break;
    case OpenMode::kCreateNew: flags |= O_RDWR | O_CREAT | O_EXCL; break;
    case OpenMode::kAppend: flags |= O_RDWR | O_CREAT | O_APPEND; break;
  }
  const int fd = Retry([&] { return ::open(path.c_str(), flags, 0666); });
  if (fd < 0) {
    if (errno == ENOENT && mode == OpenMode::kRead) throw Error(kFileNotFound);
    throw FileErrorFromErrno(errno);
  }
  auto file = std::make_unique<DiskFile>(fd);
  struct stat info{};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) throw Error(kPathFileAccessError);
  return file;
}

bool DiskFileSystem::FileExists(const std::string& path) {
  struct stat info{};
  return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool DiskFileSystem::DirectoryExists(const std::string& path) {
  struct stat info{};
  return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

void DiskFileSystem::DeleteFile(const std::string& path) {
  if (::unlink(path.c_str()) == 0) return;
  if (errno == ENOENT) throw Error(kFileNotFound);
  throw FileErrorFromErrno(errno);
}

void DiskFileSystem::RenameFile(const std::string& from, const std::string& to) {
  if (std::rename(from.c_str(), to.c_str()) != 0) throw FileErrorFromErrno(errno);
}

void DiskFileSystem::RenameNoReplace(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return;
  if (errno != EINVAL && errno != ENOSYS) throw FileErrorFromErrno(errno);
  // A file system without the flag: a new hard link fails just as well when
  // the name is taken.
  if (::link(from.c_str(), to.c_str()) != 0) throw FileErrorFromErrno(errno);
  ::unlink(from.c_str());
}

std::vector<std::string> DiskFileSystem::ListFiles(const std::string& directory) {
  std::vector<std::string> names;
  std::error_code error;
  std::filesystem::directory_iterator it(directory, error);
  for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
    std::error_code type_error;
    if (it->is_regular_file(type_error)) names.push_back(it->path().filename().string());
  }
  return names;
}

void DiskFileSystem::SyncFile(const std::string& path) { SyncPath(path, O_RDONLY); }

void DiskFileSystem::SyncDirectoryOf(const std::string& path) {
  SyncPath(DirectoryOf(path), O_RDONLY | O_DIRECTORY);
}

std::string DiskFileSystem::ResolveLinks(const std::string& path) {
  std::string current = path;
  for (int hops = 0; hops < kMaxLinks; ++hops) {
    struct stat info{};
    if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
    std::string target(static_cast<size_t>(info.st_size > 0 ? info.st_size : 4096) + 1, '\0');
    const ssize_t n = ::readlink(current.c_str(), target.data(), target.size());
    if (n < 0) throw FileErrorFromErrno(errno);
    target.resize(static_cast<size_t>(n));
    // A relative target is relative to the link's own directory.
    const size_t slash = current.rfind('/');
    current = target.starts_with('/') || slash == std::string::npos ? target : current.substr(0, slash + 1) + target;
  }
  throw FileErrorFromErrno(ELOOP);
}

void DiskFileSystem::KeepAttributes(const std::string& path, const std::string& replacement) {
  struct stat info{};
  if (::stat(path.c_str(), &info) != 0) {
    if (errno == ENOENT) return;
    throw FileErrorFromErrno(errno);
  }
  // What writing in place would refuse: a read-only file, or another user's
  // without write permission for us (a privileged process may write both).
  if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) throw FileErrorFromErrno(errno);
  // Owner first: a change of owner clears the set-id bits that chmod restores.
  if (::chown(replacement.c_str(), info.st_uid, info.st_gid) != 0) {
    [[maybe_unused]] const int group_only = ::chown(replacement.c_str(), static_cast<uid_t>(-1), info.st_gid);
  }
  if (::chmod(replacement.c_str(), info.st_mode & 07777) != 0) throw FileErrorFromErrno(errno);
}

std::unique_ptr<FileLock> DiskFileSystem::LockExclusive(const std::string& path) {
  for (;;) {
    // Read-only is enough for the lock; a file we may only write still locks.
    int fd = Retry([&] { return ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK); });
    if (fd < 0 && errno == EACCES) fd = Retry([&] { return ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK); });
    if (fd < 0) {
      if (errno == ENOENT) return nullptr;
      throw FileErrorFromErrno(errno);
    }
    auto lock = std::make_unique<DiskFileLock>(fd);
    if (Retry([&] { return ::flock(fd, LOCK_EX); }) != 0) throw FileErrorFromErrno(errno);
    // The holder we waited for may have replaced the file: its lock then
    // guards a name that no longer exists, and the new file needs its own.
    struct stat locked{}, now{};
    if (::fstat(fd, &locked) != 0) throw FileErrorFromErrno(errno);
    if (::stat(path.c_str(), &now) != 0) {
      if (errno == ENOENT) return nullptr;
      throw FileErrorFromErrno(errno);
    }
    if (SameFile(locked, now)) return lock;
  }
}

}  // namespace quindo
