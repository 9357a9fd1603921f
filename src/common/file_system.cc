#include "common/file_system.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

#include "common/error.h"

namespace quindo {
namespace {

std::mt19937_64& Generator() {
  thread_local std::mt19937_64 generator{std::random_device{}()};
  return generator;
}

}  // namespace

bool FileExists(const std::string& path) {
  // A name starting with "." is hidden, like a file with the hidden
  // attribute, which a directory search for ordinary files passes over.
  const size_t slash = path.rfind('/');
  const size_t base = slash == std::string::npos ? 0 : slash + 1;
  if (base >= path.size() || path[base] == '.') return false;
  struct stat info{};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

void DeleteFile(const std::string& path) {
  if (::unlink(path.c_str()) == 0) return;
  if (errno == ENOENT) throw Error(kFileNotFound);
  throw FileErrorFromErrno(errno);
}

void AppendToFile(const std::string& path, std::string_view bytes) {
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

void RenameFile(const std::string& from, const std::string& to) {
  if (std::rename(from.c_str(), to.c_str()) != 0) throw FileErrorFromErrno(errno);
}

double Rnd() { return std::uniform_real_distribution<double>(0.0, 1.0)(Generator()); }

void SeedRnd(uint64_t seed) { Generator().seed(seed); }

}  // namespace quindo
