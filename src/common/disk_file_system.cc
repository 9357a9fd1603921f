#include "common/disk_file_system.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/error.h"

namespace quindo {
namespace {

// A descriptor held from Open to Close, so that the file a call opened is the
// one it writes back even if its name changes meanwhile.
class DiskFile : public OpenFile {
 public:
  explicit DiskFile(int fd) : fd_(fd) {}
  ~DiskFile() override {
    if (fd_ >= 0) ::close(fd_);
  }

  std::string ReadAll() override {
    struct stat info{};
    if (::fstat(fd_, &info) != 0) throw FileErrorFromErrno(errno);
    std::string content(static_cast<size_t>(info.st_size), '\0');
    size_t done = 0;
    while (done < content.size()) {
      const ssize_t n = ::read(fd_, content.data() + done, content.size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      done += static_cast<size_t>(n);
    }
    content.resize(done);
    return content;
  }

  void WriteAll(std::string_view content) override {
    size_t done = 0;
    while (done < content.size()) {
      const ssize_t n = ::pwrite(fd_, content.data() + done, content.size() - done, static_cast<off_t>(done));
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) throw FileErrorFromErrno(errno);
      if (n == 0) throw FileErrorFromErrno(ENOSPC);
      done += static_cast<size_t>(n);
    }
  }

  void Close() override {
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) throw FileErrorFromErrno(errno);
  }

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

}  // namespace

std::unique_ptr<OpenFile> DiskFileSystem::Open(const std::string& path, OpenMode mode) {
  int flags = O_CLOEXEC;
  switch (mode) {
    case OpenMode::kRead: flags |= O_RDONLY; break;
    case OpenMode::kReadWrite: flags |= O_RDWR | O_CREAT; break;
    case OpenMode::kCreate: flags |= O_RDWR | O_CREAT | O_TRUNC; break;
  }
  const int fd = ::open(path.c_str(), flags, 0644);
  if (fd < 0) {
    if (errno == ENOENT && mode == OpenMode::kRead) throw Error(kFileNotFound);
    throw FileErrorFromErrno(errno);
  }
  auto file = std::make_unique<DiskFile>(fd);
  struct stat info{};
  if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) throw Error(kPathFileAccessError);
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

void DiskFileSystem::AppendToFile(const std::string& path, std::string_view bytes) {
  const bool created = !FileExists(path);
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (fd < 0) throw FileErrorFromErrno(errno);
  size_t done = 0;
  int error = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      error = n < 0 ? errno : ENOSPC;
      break;
    }
    done += static_cast<size_t>(n);
  }
  // An appended line is on disk before we return, and so is a new log's name.
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error != 0) throw FileErrorFromErrno(error);
  if (created) SyncDirectoryOf(path);
}

void DiskFileSystem::RenameFile(const std::string& from, const std::string& to) {
  if (std::rename(from.c_str(), to.c_str()) != 0) throw FileErrorFromErrno(errno);
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

}  // namespace quindo
