#include "tools/editor/file_stamp.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <string_view>

namespace quindo {

namespace {

FileStamp FromStat(const struct stat& status) {
  FileStamp stamp;
  if (!S_ISREG(status.st_mode)) return stamp;
  stamp.exists = true;
  stamp.size = static_cast<int64_t>(status.st_size);
  stamp.modified_ns = static_cast<int64_t>(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
  return stamp;
}

}  // namespace

FileStamp FileStamp::SizeAndTimeOf(const std::string& path) {
  struct stat status {};
  return ::stat(path.c_str(), &status) == 0 ? FromStat(status) : FileStamp{};
}

FileStamp FileStamp::Of(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return {};
  struct stat status {};
  FileStamp stamp = ::fstat(fd, &status) == 0 ? FromStat(status) : FileStamp{};
  if (stamp.exists) {
    // Record files are small: read whole, hashed at once.
    std::string bytes(static_cast<size_t>(stamp.size), '\0');
    size_t have = 0;
    while (have < bytes.size()) {
      const ssize_t got = ::read(fd, bytes.data() + have, bytes.size() - have);
      if (got <= 0) {
        if (got < 0) stamp = FileStamp{};
        break;
      }
      have += static_cast<size_t>(got);
    }
    // A file that grew or shrank while read differs in its size anyway.
    bytes.resize(have);
    if (stamp.exists) stamp.content_hash = std::hash<std::string_view>{}(bytes);
  }
  ::close(fd);
  return stamp;
}

bool FileStamp::DiffersInSizeOrTime(const FileStamp& other) const {
  return exists != other.exists || size != other.size || modified_ns != other.modified_ns;
}

bool FileStamp::Differs(const FileStamp& other) const {
  return DiffersInSizeOrTime(other) || content_hash != other.content_hash;
}

}  // namespace quindo
